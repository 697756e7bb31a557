#include "ScriptedUi.h"

#include <chrono>

namespace {

int FirstButton(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_YESNO:
    case MB_YESNOCANCEL: return IDYES;
    case MB_RETRYCANCEL: return IDRETRY;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    default: return IDOK;
    }
}

} // namespace

int CScriptedMessageBox::Show(const std::string& caption, const std::string& text, UINT type)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_messages.push_back({caption, text, type});
    if (m_answers.empty())
        return FirstButton(type);
    int answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

void CScriptedMessageBox::Answer(int answer)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_answers.push_back(answer);
}

std::vector<RecordedMessage> CScriptedMessageBox::Messages() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_messages;
}

std::vector<std::string> CScriptedMessageBox::Texts() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    std::vector<std::string> texts;
    for (const auto& m : m_messages)
        texts.push_back(m.text);
    return texts;
}

void CScriptedMessageBox::Clear()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_messages.clear();
    m_answers.clear();
}

BOOL CRecordingOutput::AppendOutputLine(unsigned list, const std::string& text)
{
    if (list > 2)
        return FALSE;
    std::lock_guard<std::mutex> guard(m_lock);
    m_lines.push_back({list, text});
    return TRUE;
}

void CRecordingOutput::ClearOutputList(unsigned list)
{
    std::lock_guard<std::mutex> guard(m_lock);
    std::erase_if(m_lines, [list](const RecordedLine& l) { return l.list == list; });
}

void CRecordingOutput::LogStatusMessage(int category, int code, int)
{
    if (category != 0)
        return;
    std::lock_guard<std::mutex> guard(m_lock);
    m_statusCodes.push_back(code);
}

std::vector<RecordedLine> CRecordingOutput::Lines() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_lines;
}

std::vector<std::string> CRecordingOutput::Lines(unsigned list) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    std::vector<std::string> texts;
    for (const auto& l : m_lines)
        if (l.list == list)
            texts.push_back(l.text);
    return texts;
}

std::vector<int> CRecordingOutput::StatusCodes() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_statusCodes;
}

void CRecordingOutput::Clear()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_lines.clear();
    m_statusCodes.clear();
}

void CRecordingStatusLine::SetStatusText(const std::string& text)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_texts.push_back(text);
}

std::vector<std::string> CRecordingStatusLine::Texts() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_texts;
}

void CQueuedPoster::Post(std::function<void()> call)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_calls.push_back(std::move(call));
    m_posted.notify_all();
}

bool CQueuedPoster::WaitForPending(size_t n, int ms)
{
    std::unique_lock<std::mutex> guard(m_lock);
    return m_posted.wait_for(guard, std::chrono::milliseconds(ms), [this, n] { return m_calls.size() >= n; });
}

int CQueuedPoster::RunPosted()
{
    int ran = 0;
    for (;;) {
        std::function<void()> call;
        {
            std::lock_guard<std::mutex> guard(m_lock);
            if (m_calls.empty())
                return ran;
            call = std::move(m_calls.front());
            m_calls.pop_front();
        }
        call();
        ++ran;
    }
}

int CQueuedPoster::Pending() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return static_cast<int>(m_calls.size());
}

void CRecordingHelp::ShowHelp(const std::string& topic, int context)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_requests.push_back({topic, context});
}

std::vector<RecordedHelp> CRecordingHelp::Requests() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_requests;
}

void CRecordingHelp::Clear()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_requests.clear();
}

CScopedUi::CScopedUi()
{
    CUserInterface::SetMessageBox(&box);
    CUserInterface::SetOutput(&output);
    CUserInterface::SetStatusLine(&status);
    CUserInterface::SetPoster(&poster);
    CUserInterface::SetHelp(&help);
}

CScopedUi::~CScopedUi()
{
    CUserInterface::SetMessageBox(nullptr);
    CUserInterface::SetOutput(nullptr);
    CUserInterface::SetStatusLine(nullptr);
    CUserInterface::SetPoster(nullptr);
    CUserInterface::SetHelp(nullptr);
}
