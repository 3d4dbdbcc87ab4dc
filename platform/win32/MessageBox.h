#pragma once
// MessageBox behind a replaceable hook. The program points the hook at a Qt dialog; tests
// point it at a scripted answerer. Without a hook the box is written to standard error as
// "[caption] text -> answer" (the button's label, e.g. "Ja") and answered with the first
// button of its button set (IDOK, IDYES, IDRETRY...).

#include "win32/Windows.h"

#include <functional>
#include <string>

constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_RETRYCANCEL = 0x5;
constexpr UINT MB_ICONERROR = 0x10;
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONSTOP = 0x10;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONWARNING = 0x30;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr UINT MB_ICONASTERISK = 0x40;
constexpr UINT MB_ICONMASK = 0xF0;
constexpr UINT MB_DEFBUTTON2 = 0x100;
constexpr UINT MB_DEFBUTTON3 = 0x200;
constexpr UINT MB_DEFMASK = 0xF00;
constexpr UINT MB_APPLMODAL = 0x0;
constexpr UINT MB_TASKMODAL = 0x2000;
constexpr UINT MB_TYPEMASK = 0xF;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// text and caption are UTF-8.
using TMessageBoxHook = std::function<int(HWND owner, const std::string& text,
                                          const std::string& caption, UINT flags)>;

// Installs a hook and returns the one it replaces (empty for the built-in default).
TMessageBoxHook SetMessageBoxHook(TMessageBoxHook hook);

int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags);

// The first button of a button set: what an unattended box answers.
int DefaultMessageBoxAnswer(UINT flags);

// The input box: a prompt and one line of text. value holds the text shown at first and, on
// return, the text as it stands when the box closes; the hook answers true for OK and false
// for Cancel. All texts are UTF-8.
using TInputBoxHook = std::function<bool(HWND owner, const std::string& caption,
                                         const std::string& prompt, std::string& value)>;

// Installs a hook and returns the one it replaces (empty for the built-in default).
TInputBoxHook SetInputBoxHook(TInputBoxHook hook);

// Answers the text as it stands when the box closes, whether it was confirmed or cancelled
// (callers that must tell the two apart install a hook of their own). Without a hook the
// prompt goes to standard error and value comes back unchanged.
std::string InputBox(HWND owner, const std::string& caption, const std::string& prompt,
                     const std::string& value);
