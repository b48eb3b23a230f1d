#pragma once
// The results a capture dialog ends with (QDialog::done), as its opener tells them apart: some
// dialogs are confirmed by OK, others by Yes.

enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };
