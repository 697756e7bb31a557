#pragma once
// Turns an image uploaded from the PLC (the download image as the PLC
// returns it, in one of three layouts chosen by the upload format) back
// into a project: modules and CPU family, CPU settings, Modbus and CANopen
// masters, the POU language table, the POU files and the initial data.
//
// The image's layout is checked first, every block, record and section
// against the bytes that are there, so that a bad image is refused before
// anything is written into the project.

#include "platform/WinTypes.h"

#include <vector>

class CZULAppData;
class CZULProject;
class CZUL_Q7_PLC;

// Layouts of an uploaded image.
constexpr int UPLOAD_FORMAT_0 = 0;
constexpr int UPLOAD_FORMAT_1 = 1;
constexpr int UPLOAD_FORMAT_2 = 2;
constexpr int UPLOAD_FORMAT_3 = 3;

class CUploadImageParser {
public:
    // Reads the project's transfer buffer and the application data's upload format.
    explicit CUploadImageParser(CZULAppData& app);

    // TRUE when the image's layout and checksum hold; writes nothing into the
    // project (the checksum message is shown when it does not match).
    BOOL Check();
    // TRUE when the project has been restored from the image.
    BOOL Parse();

private:
    struct BlockSpan {
        int start = 0;
        int size = 0;
    };
    // Offsets inside block 5 that depend on the format and on the section lengths.
    struct CpuLayout {
        int stopBytes = 0;
        int aiBase = 0;
        int portBase = 0;
        int modbusLength = 0;
        int canopenBase = -1;
        int canopenLength = 0;
        int aoBase = 0;
    };

    BOOL LocateBlocks();
    BOOL CheckCrc();
    BOOL CheckModules(int& familyIndex) const;
    BOOL LocateCpuSettings();
    BOOL CheckInitialData() const;

    BOOL RestoreModules();
    void SelectFamily(int familyIndex);
    void RestoreCpuSettings(CZUL_Q7_PLC& cpu);
    BOOL RestoreCanOpen();
    BOOL RestoreChannels();
    BOOL RestoreChannelsOf(CZUL_Q7_PLC& module);
    void RestoreLanguageTable();
    BOOL RestorePOUs();
    void RestoreInitialData();

    bool Has(int offset, int count) const;
    int Byte(int offset) const { return m_image[offset]; }
    int Word(int offset) const { return m_image[offset] | (m_image[offset + 1] << 8); }
    bool HasLanguageTable() const { return m_format != UPLOAD_FORMAT_0; }
    bool TakesCombinedAnalog() const { return m_format == UPLOAD_FORMAT_1 || m_format == UPLOAD_FORMAT_3; }
    const BlockSpan& Block(int number) const { return m_blocks[number - 3]; }

    CZULAppData& m_app;
    CZULProject& m_project;
    std::vector<BYTE> m_image;
    int m_format = 0;
    BlockSpan m_blocks[7];
    CpuLayout m_cpu;
    int m_familyIndex = -1;
};

// Restores the project from its transfer buffer in the application data's upload format.
BOOL ParseUploadImage(CZULAppData& app);
