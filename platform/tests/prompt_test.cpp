#include <gtest/gtest.h>

#include "platform/prompt.h"
#include "platform/scriptedprompter.h"
#include "platform/seams.h"
#include "platform/streamprompter.h"

TEST(Prompt, ScriptedPrompterRecordsBoxesAndAnswersFromTheScript) {
  ScopedScriptedPrompter prompter;
  prompter->QueueAnswer(PromptAnswer::No);
  EXPECT_EQ(Ask(PromptKind::Confirmation, PromptButtons::YesNo, "Save?\rReally", "Quillmarsh"),
            PromptAnswer::No);
  // With the script used up the first button is chosen.
  EXPECT_EQ(Ask(PromptKind::Warning, PromptButtons::OkCancel, "Careful", "Quillmarsh"),
            PromptAnswer::Ok);
  ASSERT_EQ(prompter->Prompts().size(), 2);
  EXPECT_EQ(prompter->Prompts()[0].kind, PromptKind::Confirmation);
  EXPECT_EQ(prompter->Prompts()[0].buttons, PromptButtons::YesNo);
  EXPECT_EQ(prompter->Prompts()[0].text, "Save?\rReally");
  EXPECT_EQ(prompter->Prompts()[1].caption, "Quillmarsh");
}

TEST(Prompt, FieldErrorFallsBackToAnInformationBoxUntilAHandlerIsInstalled) {
  ScopedScriptedPrompter prompter;
  ShowFieldError(nullptr, "Invalid postcode district.\rPlease check the entered postcode.", true);
  ASSERT_EQ(prompter->Prompts().size(), 1);
  EXPECT_EQ(prompter->Prompts()[0].kind, PromptKind::Information);
  EXPECT_EQ(prompter->Prompts()[0].buttons, PromptButtons::Ok);

  QString seen;
  {
    const TPlatformSeamsGuard seams;
    TPlatformSeams::Current().fieldError = [&](QObject*, const QString& m, bool) { seen = m; };
    ShowFieldError(nullptr, "x", false);
  }
  EXPECT_EQ(seen, "x");
  EXPECT_EQ(prompter->Prompts().size(), 1);
}

TEST(Prompt, EndProgramGoesThroughTheInstalledHandler) {
  int code = -1;
  {
    const TPlatformSeamsGuard seams;
    TPlatformSeams::Current().endProgram = [&](int c) { code = c; };
    EndProgram(3);
  }
  EXPECT_EQ(code, 3);
}

TEST(Prompt, CarriageReturnsBecomeLineBreaksForDisplay) {
  EXPECT_EQ(PromptTextForDisplay("a\rb\r\nc"), "a\nb\nc");
}

TEST(Prompt, TheProgramsDefaultPrompterRefusesEveryBoxAndSaysSo) {
  // No prompter installed: the one the program starts with.
  {
    const TPlatformSeamsGuard seams;
    TPlatformSeams::Current().prompter = nullptr;
    ASSERT_NE(dynamic_cast<TRefusingPrompter*>(&Prompter()), nullptr);
    EXPECT_EQ(Ask(PromptKind::Confirmation, PromptButtons::OkCancel, "Remove?"),
              PromptAnswer::Cancel);
    EXPECT_EQ(Ask(PromptKind::Confirmation, PromptButtons::YesNo, "Sure?"), PromptAnswer::No);
    EXPECT_EQ(Ask(PromptKind::Confirmation, PromptButtons::YesNoCancel, "Save Changes?"),
              PromptAnswer::Cancel);
    EXPECT_EQ(Ask(PromptKind::Information, PromptButtons::Ok, "Done"), PromptAnswer::Ok);
    EXPECT_TRUE(Prompter().AskSaveFileName(FileDialogRequest{}).isEmpty());
  }

  QString reported;
  QTextStream stream(&reported);
  TRefusingPrompter refusing(&stream);
  EXPECT_EQ(refusing.Ask(PromptKind::Confirmation, PromptButtons::YesNoCancel,
                         "The current details have changed\rSave Changes?", "Quillmarsh - Motor"),
            PromptAnswer::Cancel);
  FileDialogRequest open;
  open.caption = "Open";
  EXPECT_TRUE(refusing.AskOpenFileName(open).isEmpty());
  EXPECT_EQ(reported,
            "Unanswered message box \"Quillmarsh - Motor\" (answered Cancel): The current details "
            "have changed\nSave Changes?\n"
            "Unanswered file dialog \"Open\" (cancelled)\n");
}
