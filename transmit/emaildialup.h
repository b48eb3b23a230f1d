#pragma once
// The dial-up connection the e-mail dialog makes when the user chose dial-up (method 2). The
// dialog takes one from the factory when it is created and hangs it up when it is destroyed and
// before every retry.
//
// The program's own is the "Dial-up Connection" dialog on a TRAS component (OpenDialUpDialog);
// with no phone-book entries it shows nothing and answers false. The e-mail dialog and the
// wizard ask Available() first, to tell the user that there is nothing to dial. Tests fill in a
// scripted one through the transmit seams.

#include <functional>
#include <memory>

class QWidget;

class TEMailDialUp {
 public:
  virtual ~TEMailDialUp() = default;
  // Whether the computer has a dial-up connection to dial (a phone-book entry).
  virtual bool Available() = 0;
  // Opens the dial-up dialog over the parent; answers whether a connection was made. Without
  // phone-book entries no dialog is shown and the answer is false.
  virtual bool Dial(QWidget* parent) = 0;
  // Hangs up a connection this object made; does nothing when none is up.
  virtual void HangUp() = 0;
};

// What the transmit seams (transmit/seams.h) hold in place of the program's own.
using TEMailDialUpFactory = std::function<std::unique_ptr<TEMailDialUp>()>;

std::unique_ptr<TEMailDialUp> CreateEMailDialUp();
