#pragma once
// What the program settles before the Qt application object exists: the
// xcb platform (XWayland on a Wayland session) unless the user chose one,
// and whole-number scale factors so that one-pixel rules stay crisp.

class CQtStartup {
public:
    // The platform to select: "xcb", or nullptr when the user chose one
    // (platformVariable is QT_QPA_PLATFORM, null when unset; or -platform).
    static const char* PlatformToSelect(int argc, const char* const* argv, const char* platformVariable);
    // Applies both; call before constructing QApplication.
    static void Prepare(int argc, const char* const* argv);
};
