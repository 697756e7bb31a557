#pragma once
// Scripted doubles of the user-interface interfaces: they record every
// message box, output line and status text exactly as the code produced
// them, answer message boxes from a script, and run posted calls when the
// test says so. CScopedUi installs them for one test and puts the previous
// ones back.

#include "platform/CUserInterface.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

struct RecordedMessage {
    std::string caption;
    std::string text;
    UINT type = 0;
};

class CScriptedMessageBox : public IMessageBox {
public:
    int Show(const std::string& caption, const std::string& text, UINT type) override;
    // Answers given in order; when they run out the box answers IDOK / IDYES... as the first button.
    void Answer(int answer);
    std::vector<RecordedMessage> Messages() const;
    // Texts only, in order.
    std::vector<std::string> Texts() const;
    void Clear();

private:
    mutable std::mutex m_lock;
    std::deque<int> m_answers;
    std::vector<RecordedMessage> m_messages;
};

struct RecordedLine {
    unsigned list = 0;
    std::string text;
};

class CRecordingOutput : public IOutputSink {
public:
    BOOL AppendOutputLine(unsigned list, const std::string& text) override;
    void ClearOutputList(unsigned list) override;
    void LogStatusMessage(int category, int code, int reserved) override;

    std::vector<RecordedLine> Lines() const;
    // Lines of one list, in order.
    std::vector<std::string> Lines(unsigned list) const;
    std::vector<int> StatusCodes() const;
    void Clear();

private:
    mutable std::mutex m_lock;
    std::vector<RecordedLine> m_lines;
    std::vector<int> m_statusCodes;
};

class CRecordingStatusLine : public IStatusLine {
public:
    void SetStatusText(const std::string& text) override;
    std::vector<std::string> Texts() const;

private:
    mutable std::mutex m_lock;
    std::vector<std::string> m_texts;
};

// Keeps posted calls until RunPosted(), as the user-interface thread would
// run them once the poster has returned; a test can wait for calls that
// worker threads post.
class CQueuedPoster : public IUiPoster {
public:
    void Post(std::function<void()> call) override;
    // Runs every queued call (and those they post) on the calling thread; returns how many ran.
    int RunPosted();
    int Pending() const;
    // TRUE once at least n calls wait; FALSE after ms without them.
    bool WaitForPending(size_t n, int ms);

private:
    mutable std::mutex m_lock;
    std::condition_variable m_posted;
    std::deque<std::function<void()>> m_calls;
};

struct RecordedHelp {
    std::string topic;
    int context = 0;
};

class CRecordingHelp : public IHelpService {
public:
    void ShowHelp(const std::string& topic, int context) override;
    std::vector<RecordedHelp> Requests() const;
    void Clear();

private:
    mutable std::mutex m_lock;
    std::vector<RecordedHelp> m_requests;
};

class CScopedUi {
public:
    CScopedUi();
    ~CScopedUi();
    CScopedUi(const CScopedUi&) = delete;
    CScopedUi& operator=(const CScopedUi&) = delete;

    CScriptedMessageBox box;
    CRecordingOutput output;
    CRecordingStatusLine status;
    CQueuedPoster poster;
    CRecordingHelp help;
};
