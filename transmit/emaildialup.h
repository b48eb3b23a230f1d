#pragma once
// The dial-up connection the e-mail dialog makes when the user chose dial-up (method 2). The
// dialog takes one from the installed factory when it is created and hangs it up when it is
// destroyed and before every retry.
//
// Until the program's dial-up networking is installed (SetEMailDialUpFactory at start-up), the
// factory gives a connection with no phone-book entries: Dial shows nothing and answers false,
// so the dialog stays open with Send enabled.

#include <functional>
#include <memory>

class QWidget;

class TEMailDialUp {
 public:
  virtual ~TEMailDialUp() = default;
  // Opens the dial-up dialog over the parent; answers whether a connection was made. Without
  // phone-book entries no dialog is shown and the answer is false.
  virtual bool Dial(QWidget* parent) = 0;
  // Hangs up a connection this object made; does nothing when none is up.
  virtual void HangUp() = 0;
};

using TEMailDialUpFactory = std::function<std::unique_ptr<TEMailDialUp>()>;

// Installs the factory (nullptr restores the one without entries); answers the previous one.
TEMailDialUpFactory SetEMailDialUpFactory(TEMailDialUpFactory factory);
std::unique_ptr<TEMailDialUp> CreateEMailDialUp();
