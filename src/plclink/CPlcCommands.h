#pragma once
// The PLC commands of the main window: Information, Clear, STOP, RUN, Time
// of Day Clock, Compare, Download, Upload, Password and Communications. Each
// runs one exchange with the PLC on the user-interface thread: it takes the
// port lock with its wait, opens the port, sends its commands, shows the
// result or opens its dialog, closes the port and releases the lock. The
// main frame routes its menu commands here.

#include "platform/WinTypes.h"

#include <string>

class IOnlineDialogs;
class IPlcCommandHost;
class IProjectCompiler;

// Menu command ids.
constexpr UINT ID_PLC_UPLOAD = 32793;
constexpr UINT ID_PLC_DOWNLOAD = 32794;
constexpr UINT ID_PLC_COMPARE = 32795;
constexpr UINT ID_PLC_CLEAR = 32796;
constexpr UINT ID_PLC_INFORMATION = 32798;
constexpr UINT ID_PLC_CLOCK = 32799;
constexpr UINT ID_PLC_RUN = 32802;
constexpr UINT ID_PLC_STOP = 32804;
constexpr UINT ID_PLC_PASSWORD = 32889;
constexpr UINT ID_TOOLS_COMMUNICATIONS = 32907;

class CPlcCommands {
public:
    CPlcCommands(IProjectCompiler& compiler, IOnlineDialogs& dialogs, IPlcCommandHost& host);

    void OnPlcInformation();
    void OnPlcClear();
    void OnPlcStop();
    void OnPlcRun();
    void OnPlcClock();
    void OnPlcCompare();
    void OnPlcDownload();
    void OnPlcUpload();
    void OnPlcPassword();
    void OnToolsCommunications();
    // Communications is enabled unless paused, monitoring or the PID trend display is open.
    BOOL OnUpdateToolsCommunications() const;

private:
    void SetRunStop(BYTE mode);
    BOOL ReadIdentificationForDownload();
    BOOL UploadImage();
    BOOL ChooseUploadPath(std::string& path);
    void ReplaceProjectWithUpload(const std::string& path);

    IProjectCompiler& m_compiler;
    IOnlineDialogs& m_dialogs;
    IPlcCommandHost& m_host;
};
