#pragma once
// Runs a program of the build through the shell, for tests of the command-line tools.

#include <sys/wait.h>

#include <cstdio>
#include <string>

struct TProgramRun {
  int Status = -1;     // exit status, -1 when the program did not end normally
  std::string Output;  // standard output and standard error together
};

// command is a complete shell command line; standard error is merged into the output.
inline TProgramRun RunProgram(const std::string& command) {
  TProgramRun run;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr)
    return run;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
    run.Output.append(buffer, n);
  int status = pclose(pipe);
  run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}
