#include "win32/Windows.h"

#include <deque>
#include <map>
#include <memory>
#include <mutex>

namespace {

struct TWindow {
    WNDPROC procedure;
    TMessageObserver observer;
};

struct TQueued {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// All windows of the process. The program has one thread; the lock only keeps a stray
// call from another thread from corrupting the maps.
struct TRegistry {
    std::recursive_mutex lock;
    std::map<HWND, std::shared_ptr<TWindow>> windows;
    std::deque<TQueued> queue;
    std::uintptr_t nextHandle = 0x1000;
    std::function<void()> postNotifier;
};

TRegistry& registry()
{
    static TRegistry instance;
    return instance;
}

std::shared_ptr<TWindow> find(HWND window)
{
    auto& reg = registry();
    std::lock_guard guard(reg.lock);
    auto it = reg.windows.find(window);
    return it == reg.windows.end() ? nullptr : it->second;
}

} // namespace

HWND CreateWindowHandle(WNDPROC procedure)
{
    auto& reg = registry();
    std::lock_guard guard(reg.lock);
    HWND handle = reinterpret_cast<HWND>(reg.nextHandle);
    reg.nextHandle += 0x10;
    reg.windows[handle] = std::make_shared<TWindow>(TWindow{std::move(procedure), {}});
    return handle;
}

void DestroyWindow(HWND window)
{
    auto& reg = registry();
    std::lock_guard guard(reg.lock);
    reg.windows.erase(window);
    std::erase_if(reg.queue, [window](const TQueued& q) { return q.window == window; });
}

bool IsWindow(HWND window)
{
    return find(window) != nullptr;
}

bool SetWindowProcedure(HWND window, WNDPROC procedure)
{
    auto entry = find(window);
    if (!entry)
        return false;
    entry->procedure = std::move(procedure);
    return true;
}

void SetMessageObserver(HWND window, TMessageObserver observer)
{
    if (auto entry = find(window))
        entry->observer = std::move(observer);
}

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Hold the entry while calling: the procedure may destroy its own window.
    auto entry = find(window);
    if (!entry)
        return 0;
    if (entry->observer)
        entry->observer(TMessageKind::Send, window, message, wParam, lParam);
    return entry->procedure ? entry->procedure(window, message, wParam, lParam) : 0;
}

BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto entry = find(window);
    if (!entry)
        return 0;
    if (entry->observer)
        entry->observer(TMessageKind::Post, window, message, wParam, lParam);
    auto& reg = registry();
    std::function<void()> notifier;
    {
        std::lock_guard guard(reg.lock);
        reg.queue.push_back({window, message, wParam, lParam});
        notifier = reg.postNotifier;
    }
    if (notifier)
        notifier();
    return 1;
}

void SetPostNotifier(std::function<void()> notifier)
{
    auto& reg = registry();
    std::lock_guard guard(reg.lock);
    reg.postNotifier = std::move(notifier);
}

int PumpMessages()
{
    int delivered = 0;
    auto& reg = registry();
    for (;;) {
        TQueued next;
        {
            std::lock_guard guard(reg.lock);
            if (reg.queue.empty())
                return delivered;
            next = reg.queue.front();
            reg.queue.pop_front();
        }
        auto entry = find(next.window);
        if (entry && entry->procedure)
            entry->procedure(next.window, next.message, next.wParam, next.lParam);
        ++delivered;
    }
}

int PendingMessageCount()
{
    auto& reg = registry();
    std::lock_guard guard(reg.lock);
    return static_cast<int>(reg.queue.size());
}
