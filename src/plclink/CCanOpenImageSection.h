#pragma once
// The CANopen section of the CPU settings block of a VC14/VC16 download
// image: the master's settings, a directory of the slave records, each
// kept slave with its receive and transmit PDOs and their mapped objects,
// and 256 closing zero bytes. Offsets inside the section count from its
// first byte.

#include "platform/WinTypes.h"

#include <vector>

class CZULProject;
struct CCanOpenPdo;
struct CCanOpenSlave;

constexpr int CANOPEN_IMAGE_MAX_SLAVES = 64;
constexpr int CANOPEN_IMAGE_MAX_PDOS = 64;

class CCanOpenImageSection {
public:
    explicit CCanOpenImageSection(const CZULProject& project);

    // Builds the section; FALSE (after telling the user) when the kept slaves
    // carry more receive or transmit PDOs than the master supports.
    BOOL Build(std::vector<BYTE>& section);

private:
    struct KeptSlave {
        const CCanOpenSlave* slave = nullptr;
        std::vector<int> rpdos; // numbers of the PDOs with mapped objects
        std::vector<int> tpdos;
    };

    BOOL CollectSlaves();
    bool CollectPdos(const CCanOpenSlave& slave, const CCanOpenPdo* pdos, std::vector<int>& numbers) const;
    int MappedRowCount(const CCanOpenSlave& slave, const CCanOpenPdo& pdo) const;
    int PdoRecordLength(const CCanOpenSlave& slave, const CCanOpenPdo& pdo) const;
    int PdoPartLength(const CCanOpenSlave& slave, const CCanOpenPdo* pdos, const std::vector<int>& numbers) const;
    int SlaveRecordLength(const KeptSlave& kept) const;

    void WriteMaster(std::vector<BYTE>& section, int slaveCount) const;
    void WriteSlave(std::vector<BYTE>& section, const KeptSlave& kept) const;
    void WritePdoPart(std::vector<BYTE>& section, const CCanOpenSlave& slave, const CCanOpenPdo* pdos,
                      const std::vector<int>& numbers) const;
    void WritePdoRecord(std::vector<BYTE>& section, const CCanOpenSlave& slave, const CCanOpenPdo& pdo,
                        int number) const;

    const CZULProject& m_project;
    std::vector<KeptSlave> m_slaves;
};
