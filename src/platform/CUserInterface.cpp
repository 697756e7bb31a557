#include "CUserInterface.h"

#include <atomic>
#include <cstdio>

namespace {

// Without a user there is nobody to agree: every question is declined.
int SafeAnswer(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OK: return IDOK;
    case MB_YESNO: return IDNO;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    default: return IDCANCEL;
    }
}

class CHeadlessUi final : public IMessageBox, public IOutputSink, public IStatusLine, public IUiPoster,
                          public IHelpService {
public:
    int Show(const std::string& caption, const std::string& text, UINT type) override
    {
        std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
        return SafeAnswer(type);
    }
    BOOL AppendOutputLine(unsigned list, const std::string& text) override
    {
        if (list > 2)
            return FALSE;
        std::fprintf(stderr, "%s\n", text.c_str());
        return TRUE;
    }
    void ClearOutputList(unsigned) override {}
    void LogStatusMessage(int, int, int) override {}
    void SetStatusText(const std::string&) override {}
    void Post(std::function<void()> call) override { call(); }
    void ShowHelp(const std::string& topic, int context) override
    {
        std::fprintf(stderr, "[Help] no help is installed (%s, context %d)\n", topic.c_str(), context);
    }
};

CHeadlessUi g_headless;
std::atomic<IMessageBox*> g_box{nullptr};
std::atomic<IOutputSink*> g_output{nullptr};
std::atomic<IStatusLine*> g_status{nullptr};
std::atomic<IUiPoster*> g_poster{nullptr};
std::atomic<IHelpService*> g_help{nullptr};

template <typename T>
T& Current(const std::atomic<T*>& slot)
{
    T* p = slot.load();
    return p ? *p : static_cast<T&>(g_headless);
}

} // namespace

IMessageBox& CUserInterface::MessageBox() { return Current(g_box); }
IOutputSink& CUserInterface::Output() { return Current(g_output); }
IStatusLine& CUserInterface::StatusLine() { return Current(g_status); }
IUiPoster& CUserInterface::Poster() { return Current(g_poster); }
IHelpService& CUserInterface::Help() { return Current(g_help); }

void CUserInterface::SetMessageBox(IMessageBox* box) { g_box = box; }
void CUserInterface::SetOutput(IOutputSink* sink) { g_output = sink; }
void CUserInterface::SetStatusLine(IStatusLine* line) { g_status = line; }
void CUserInterface::SetPoster(IUiPoster* poster) { g_poster = poster; }
void CUserInterface::SetHelp(IHelpService* help) { g_help = help; }

int ShowMessage(const std::string& caption, const std::string& text, UINT type)
{
    return CUserInterface::MessageBox().Show(caption, text, type);
}
