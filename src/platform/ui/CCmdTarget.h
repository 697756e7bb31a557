#pragma once
// The root of every object that takes commands: windows, documents, the
// application and the toolkit's reference-counted objects (bars, controls,
// renderers, image stores). Commands are looked up by number in tables of
// handlers that the object's classes register; update handlers of the same
// tables say whether a command is enabled, checked or has a text.

#include "platform/CObject.h"
#include "platform/ui/WinMessages.h"

#include <cstddef>
#include <vector>

class CCmdUI;

// The code under which a window's own update handler of reflected commands
// is registered (CN_UPDATE_COMMAND_UI under WM_COMMAND + WM_REFLECT_BASE);
// it is asked with id 0 for every command the window shows.
constexpr int kReflectedUpdateCode = static_cast<int>(0xBD11FFFF);

// One line of a command table. Build lines with the static functions so
// that handlers of base classes can be named for the derived class.
template <class T>
struct CCmdEntry {
    UINT first = 0;
    UINT last = 0;
    int code = CN_COMMAND;
    void (T::*command)() = nullptr;
    void (T::*commandRange)(UINT id) = nullptr;
    void (T::*update)(CCmdUI* cmdUI) = nullptr;
    void (T::*notify)(NMHDR* header, LRESULT* result) = nullptr;

    static constexpr CCmdEntry Command(UINT id, void (T::*fn)())
    {
        CCmdEntry e;
        e.first = e.last = id;
        e.command = fn;
        return e;
    }
    static constexpr CCmdEntry CommandRange(UINT first, UINT last, void (T::*fn)(UINT))
    {
        CCmdEntry e;
        e.first = first;
        e.last = last;
        e.commandRange = fn;
        return e;
    }
    static constexpr CCmdEntry Update(UINT id, void (T::*fn)(CCmdUI*))
    {
        return UpdateRange(id, id, fn);
    }
    static constexpr CCmdEntry UpdateRange(UINT first, UINT last, void (T::*fn)(CCmdUI*))
    {
        CCmdEntry e;
        e.first = first;
        e.last = last;
        e.code = CN_UPDATE_COMMAND_UI;
        e.update = fn;
        return e;
    }
    static constexpr CCmdEntry ReflectedUpdate(void (T::*fn)(CCmdUI*))
    {
        CCmdEntry e;
        e.code = kReflectedUpdateCode;
        e.update = fn;
        return e;
    }
    // A control notification: code is the full routing code (the control's
    // code in the low word, WM_NOTIFY in the high word for notify records).
    static constexpr CCmdEntry Notify(UINT id, int code, void (T::*fn)(NMHDR*, LRESULT*))
    {
        CCmdEntry e;
        e.first = e.last = id;
        e.code = code;
        e.notify = fn;
        return e;
    }
};

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    ~CCmdTarget() override = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Offers a command, an update request or a notification to this object's
    // tables (newest table first). Routing classes override it to ask other
    // objects before or after themselves. With info set, nothing runs: the
    // answer only says whether a handler exists.
    virtual BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info);

    // Reference count: starts at 1; the release that brings it to 0 calls
    // OnFinalRelease, which deletes the object.
    long InternalAddRef();
    long InternalRelease();
    long GetRefCount() const { return m_refCount; }

protected:
    virtual void OnFinalRelease();

    template <class T, std::size_t N>
    void AddCommandTable(const CCmdEntry<T> (&table)[N])
    {
        m_tables.push_back({table, N, &DispatchTable<T>});
    }

private:
    using Dispatcher = BOOL (*)(CCmdTarget*, const void*, std::size_t, UINT, int, void*, AFX_CMDHANDLERINFO*);
    struct TableRef {
        const void* entries;
        std::size_t count;
        Dispatcher dispatch;
    };

    template <class T>
    static BOOL DispatchTable(CCmdTarget* target, const void* entries, std::size_t count, UINT id, int code,
                              void* extra, AFX_CMDHANDLERINFO* info)
    {
        const auto* table = static_cast<const CCmdEntry<T>*>(entries);
        T* self = static_cast<T*>(target);
        for (std::size_t i = 0; i < count; ++i) {
            const CCmdEntry<T>& e = table[i];
            if (id < e.first || id > e.last || e.code != code)
                continue;
            if (info) {
                info->pTarget = target;
                return TRUE;
            }
            if (e.update)
                return RunUpdate(self, e.update, static_cast<CCmdUI*>(extra));
            if (e.notify) {
                auto* notify = static_cast<AFX_NOTIFY*>(extra);
                (self->*e.notify)(notify ? notify->pNMHDR : nullptr, notify ? notify->pResult : nullptr);
                return TRUE;
            }
            if (e.commandRange)
                (self->*e.commandRange)(id);
            else if (e.command)
                (self->*e.command)();
            return TRUE;
        }
        return FALSE;
    }

    template <class T>
    static BOOL RunUpdate(T* self, void (T::*fn)(CCmdUI*), CCmdUI* cmdUI)
    {
        if (!cmdUI)
            return FALSE;
        BeginUpdate(cmdUI);
        (self->*fn)(cmdUI);
        return EndUpdate(cmdUI);
    }
    static void BeginUpdate(CCmdUI* cmdUI);
    // TRUE unless the handler asked the routing to go on (ContinueRouting).
    static BOOL EndUpdate(CCmdUI* cmdUI);

    std::vector<TableRef> m_tables;
    long m_refCount = 1;
};
