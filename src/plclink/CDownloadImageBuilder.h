#pragma once
// Builds the download image of a compiled project into the project's blocks
// 3 to 9, computes the image CRC (the project signature) and writes the
// blocks to the project's ".obj" file. Three builders serve the CPU families:
// type 0 the small images (variant 0), type 1 the VB families (variants 1
// and 3), type 2 the VC families with their CANopen master (variant 2).

#include "platform/WinTypes.h"

#include <string>
#include <vector>

class CZULAppData;
class CZULProject;
class CZUL_Q7_PLC;

// Builders, by family bit and profile sub-type.
constexpr int IMAGE_BUILDER_NONE = -1;
constexpr int IMAGE_BUILDER_TYPE0 = 0;
constexpr int IMAGE_BUILDER_TYPE1 = 1;
constexpr int IMAGE_BUILDER_TYPE2 = 2;

// The download sends the image and three option bytes in at most 256
// numbered blocks of 200 bytes.
constexpr int DOWNLOAD_OPTION_BYTES = 3;
constexpr int DOWNLOAD_MAX_BYTES = 256 * 200;

class CDownloadImageBuilder {
public:
    explicit CDownloadImageBuilder(CZULAppData& app);

    // 1 when a builder built the image, 0 otherwise.
    int BuildDownloadImage();
    int BuildImageType0();
    int BuildImageType1();
    int BuildImageType2();

    // CRC-16/MODBUS over blocks 4, 5, the first L6 bytes of block 6 and block 7.
    WORD ComputeImageCRC() const;

    // 1 when the ".obj" file has been written, 0 otherwise.
    int WriteObjFile();
    int WriteObjFileType0();
    int WriteObjFileType1();
    int WriteObjFileType2();

    std::string ObjFilePath() const;
    std::string ObjectCodePath() const;

    static int ImageBuilderOf(DWORD familyBit, BYTE subType);

private:
    std::vector<BYTE>& Block(int number);
    const std::vector<BYTE>& Block(int number) const;

    BOOL CheckModules() const;
    BOOL BuildModuleBlock(DWORD highestKind);
    BOOL BuildCpuBlockVariant0(int size, bool writeAO);
    BOOL BuildCpuBlockLarge(int builder);
    BOOL BuildObjectCodeBlock(bool chineseTexts);
    BOOL BuildInitialDataBlock();
    BOOL BuildMonitorBlock(bool languageArea);
    BOOL BuildVariableBlock();
    BOOL BuildDirectoryBlock(BYTE variant, bool hasBlock9);
    BOOL CheckImageSize() const;

    void WriteCommonCpuSettings(std::vector<BYTE>& block, int stopBytes) const;
    void WriteAIChannels(std::vector<BYTE>& block, int base, int channels, DWORD kinds) const;
    void WriteAORecords(std::vector<BYTE>& block, int base, int channels, DWORD kinds) const;
    void WritePort(std::vector<BYTE>& block, int offset, int port) const;
    int WriteObjBlocks(int lastBlock);

    CZULAppData& m_app;
    CZULProject& m_project;
};
