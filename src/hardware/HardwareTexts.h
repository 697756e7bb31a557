#pragma once
// Captions, questions and messages of the hardware configuration.

inline constexpr const char* kHardwareNoteCaption = "Note";
inline constexpr const char* kHardwareErrorCaption = "Error";

inline constexpr const char* kRemoveModuleQuestion = "Are you sure you want to remove this module?";

inline constexpr const char* kReplaceVB12Question =
    "CPUVB12 can not connect expansion module, so all the expansion modules will be deleted.\r\n"
    "Are you sure you want to insert CPUVB12?";
inline constexpr const char* kReplaceVB14Question =
    "Some expansion modules shall be deleted from the configuration if you change the CPU type. \n"
    "Are you sure you want to change the CPU type?";
inline constexpr const char* kReplaceVC14Question =
    "CPUVC14 can not connect expansion module, so all the expansion modules will be deleted.\r\n"
    "Are you sure you want to insert CPUVC14?";
inline constexpr const char* kReplaceVC16Question =
    "CPUVC16 can not connect expansion module, so all the expansion modules will be deleted.\r\n"
    "Are you sure you want to insert CPUVC16?";
inline constexpr const char* kReplaceVA10Question =
    "CPUVA10 can not connect expansion module, so all the expansion modules will be deleted.\r\n"
    "Are you sure you want to insert CPUVA10?";

// A catalogue row double-clicked onto a slot that does not take it.
inline constexpr const char* kSlotTakenMessage =
    "This row already holds a module. Remove it first (Delete), then insert the new module.";
inline constexpr const char* kCpuSlotOnlyMessage = "Only a CPU can be inserted into the first row.";
inline constexpr const char* kCpuNotHereMessage = "A CPU can only be inserted into the first row.";

// A module that finds no free run in one of its address areas.
inline constexpr const char* kNoRoomInI = "Insufficient I Memory area. I address can not be assigned for this module.";
inline constexpr const char* kNoRoomInQ = "Insufficient Q Memory area. Q address can not be assigned for this module.";
inline constexpr const char* kNoRoomInAI =
    "Insufficient AI Memory area. AI address can not be assigned for this module.";
inline constexpr const char* kNoRoomInAQ =
    "Insufficient AO Memory area. AO address can not be assigned for this module.";

// The consistency check.
inline constexpr const char* kHardwareInconsistent = "The hardware configuration is inconsistent.";
// The output module page's form of the Q message ends with a blank.
inline constexpr const char* kNoRoomInQOutputPage =
    "Insufficient Q Memory area. Q address can not be assigned for this module. ";
// The analog input/output module dialog's one message for either area.
inline constexpr const char* kNoRoomForModule = "Unable to assign an address for this module.";
