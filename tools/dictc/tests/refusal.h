#pragma once
// The refusal a source must cause: the text is written to a file of the given name and compiled.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tools/dictc/compileerror.h"
#include "tools/testsupport/tempfolder.h"

// Answers the compile error, which must name the file; an accepted source fails the test.
inline ECompileError RefusalOf(const std::string& fileName, const std::string& text,
                               const std::function<void(const std::string&)>& compile) {
  TTempFolder folder;
  std::string file = folder.Write(fileName, text);
  try {
    compile(file);
  } catch (const ECompileError& e) {
    EXPECT_EQ(e.File(), file);
    return e;
  }
  ADD_FAILURE() << "the source was accepted";
  return ECompileError("", "", "");
}
