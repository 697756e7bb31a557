#pragma once
// Where the program finds what ships with it and where it keeps what it
// writes: shipped data under share/orvelbuilder (beside the binary in a
// build tree, under the install prefix otherwise), the user's data and
// settings folders of the XDG base directories, and a private temporary
// folder (mode 0700) that is removed when the process ends.

#include <string>

class CPathProvider {
public:
    // share/orvelbuilder of the installation or the build tree.
    static std::string SharedDataFolder();
    // $XDG_DATA_HOME/OrvelBuilder (default ~/.local/share/OrvelBuilder).
    static std::string UserDataFolder();
    // $XDG_CONFIG_HOME/OrvelBuilder (default ~/.config/OrvelBuilder).
    static std::string SettingsFolder();
    // The default folder for new projects: <user data>/project.
    static std::string DefaultProjectFolder();
    // Imported CANopen slave types: <user data>/CanOpen.
    static std::string UserCanOpenFolder();
    // The process's private temporary folder, created on first use.
    static std::string TempFolder();
    // Removes the temporary folder now (also done at exit).
    static void RemoveTempFolder();

    // Tests point the shipped data somewhere else; "" goes back to the default.
    static void SetSharedDataFolder(const std::string& folder);
};
