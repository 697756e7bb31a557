#pragma once
// Makes a folder read-only for the calling thread while it lives: the
// folder loses its write permission and, when the test runs as root (who
// writes anyway), the thread's file-system identity becomes an ordinary
// user's, so writes into the folder fail as they do for a user.

#include <string>

class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const std::string& folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

private:
    std::string m_folder;
    unsigned m_oldMode = 0;
    bool m_droppedRoot = false;
};
