#pragma once
// Stand-in for the few Win32 types and message calls this system uses.
//
// Window handles carry a window procedure each. SendMessage calls the procedure at once
// (re-entrant: a procedure may send again); PostMessage queues the message for the message
// loop, which drains the queue with PumpMessages. Message parameters and results are
// pointer-sized because pointers travel in them.

#include <cstdint>
#include <functional>
#include <string>

using UINT = std::uint32_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using BOOL = int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

struct HWND__;
using HWND = HWND__*;

constexpr UINT WM_USER = 1024;

constexpr DWORD MAKELONG(WORD low, WORD high)
{
    return static_cast<DWORD>(low) | (static_cast<DWORD>(high) << 16);
}
constexpr WORD LOWORD(std::uintptr_t value) { return static_cast<WORD>(value & 0xFFFF); }
constexpr WORD HIWORD(std::uintptr_t value) { return static_cast<WORD>((value >> 16) & 0xFFFF); }

using WNDPROC = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

// Registers a window with its procedure; the handle stays valid until DestroyWindow.
HWND CreateWindowHandle(WNDPROC procedure);
// Unregisters the window and drops its queued messages. Unknown handles are ignored.
void DestroyWindow(HWND window);
bool IsWindow(HWND window);
// Replaces the procedure of a live window (false for an unknown handle).
bool SetWindowProcedure(HWND window, WNDPROC procedure);

// Calls the window's procedure now; 0 for a null or unknown window.
LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Queues the message; false for a null or unknown window.
BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Called after every successful PostMessage, outside the queue's lock, so that an event loop
// can schedule a drain (PumpMessages). It may run on the posting thread. An empty function
// removes the notifier.
void SetPostNotifier(std::function<void()> notifier);
// Delivers queued messages in order until the queue is empty, including messages posted
// while draining. Returns how many were delivered.
int PumpMessages();
// Number of messages waiting in the queue.
int PendingMessageCount();

// Observers see every send and post as it is made (before delivery); used by the recording
// test window to keep the order of sends and posts. One observer per window.
enum class TMessageKind { Send, Post };
using TMessageObserver = std::function<void(TMessageKind, HWND, UINT, WPARAM, LPARAM)>;
void SetMessageObserver(HWND window, TMessageObserver observer);
