#include "tools/cli/consoleprompter.h"

#include <gtest/gtest.h>

TEST(ConsolePrompter, PrintsEachLineOfTheBoxAndTakesTheFirstButton) {
  QString written;
  QTextStream out(&written);
  TConsolePrompter prompter(&out);

  EXPECT_EQ(prompter.Ask(PromptKind::Information, PromptButtons::Ok,
                         "The Quote engine cound not be found\rPlease Reinstall the software",
                         "Quillmarsh"),
            PromptAnswer::Ok);
  EXPECT_EQ(prompter.Ask(PromptKind::Error, PromptButtons::YesNoCancel, "Save?", "Quillmarsh"),
            PromptAnswer::Yes);
  EXPECT_EQ(written,
            "The Quote engine cound not be found\nPlease Reinstall the software\nError: Save?\n");
}

TEST(ConsolePrompter, FileDialogsAreCancelled) {
  QString written;
  QTextStream out(&written);
  TConsolePrompter prompter(&out);
  EXPECT_TRUE(prompter.AskOpenFileName(FileDialogRequest{}).isEmpty());
  EXPECT_TRUE(prompter.AskSaveFileName(FileDialogRequest{}).isEmpty());
}
