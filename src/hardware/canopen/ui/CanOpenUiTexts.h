#pragma once
// Captions and control texts of the CANopen configuration windows (GBK).

// "CANopen主站配置"
inline constexpr const char* kCanOpenCfgCaption = "CANopen\xD6\xF7\xD5\xBE\xC5\xE4\xD6\xC3";
// Tabs of the CANopen sheet: "主站及全局配置", "网络配置", "对象字典映射", "地址一览表".
inline constexpr const char* kMasterPageCaption = "\xD6\xF7\xD5\xBE\xBC\xB0\xC8\xAB\xBE\xD6\xC5\xE4\xD6\xC3";
inline constexpr const char* kNetworkPageCaption = "\xCD\xF8\xC2\xE7\xC5\xE4\xD6\xC3";
inline constexpr const char* kMapPageCaption = "\xB6\xD4\xCF\xF3\xD7\xD6\xB5\xE4\xD3\xB3\xC9\xE4";
inline constexpr const char* kCrossRefPageCaption = "\xB5\xD8\xD6\xB7\xD2\xBB\xC0\xC0\xB1\xED";

// Category dialog.
// "请选择放到哪个分类里面"
inline constexpr const char* kKindDlgCaption =
    "\xC7\xEB\xD1\xA1\xD4\xF1\xB7\xC5\xB5\xBD\xC4\xC4\xB8\xF6\xB7\xD6\xC0\xE0\xC0\xEF\xC3\xE6";
// "如果覆盖现有从站, 重新启动本软件后分类生效"
inline constexpr const char* kKindDlgNote = "\xC8\xE7\xB9\xFB\xB8\xB2\xB8\xC7\xCF\xD6\xD3\xD0\xB4\xD3\xD5\xBE, "
                                            "\xD6\xD8\xD0\xC2\xC6\xF4\xB6\xAF\xB1\xBE\xC8\xED\xBC\xFE\xBA\xF3\xB7\xD6"
                                            "\xC0\xE0\xC9\xFA\xD0\xA7";
// "不选择分类, 放于根目录下"
inline constexpr const char* kRootCategoryItem = "\xB2\xBB\xD1\xA1\xD4\xF1\xB7\xD6\xC0\xE0, "
                                                 "\xB7\xC5\xD3\xDA\xB8\xF9\xC4\xBF\xC2\xBC\xCF\xC2";
// "确 定"
inline constexpr const char* kConfirmButton = "\xC8\xB7 \xB6\xA8";

// Master page controls.
inline constexpr const char* kGlobalGroup = "\xC8\xAB\xBE\xD6\xC9\xE8\xB6\xA8";           // "全局设定"
inline constexpr const char* kBaudRateLabel = "\xB2\xA8\xCC\xD8\xC2\xCA";                // "波特率"
inline constexpr const char* kSdoTimeoutLabel = "SDO\xB3\xAC\xCA\xB1";                   // "SDO超时"
inline constexpr const char* kMasterGroup = "\xD6\xF7\xD5\xBE\xC9\xE8\xB6\xA8";           // "主站设定"
inline constexpr const char* kMasterAddressLabel = "\xD6\xF7\xD5\xBE\xB5\xD8\xD6\xB7";    // "主站地址"
inline constexpr const char* kConfigureAtStartBox =
    "\xC6\xF4\xB6\xAF\xCA\xB1\xC5\xE4\xD6\xC3\xB8\xF7\xB4\xD3\xD5\xBE"; // "启动时配置各从站"
inline constexpr const char* kStatusGroup = "\xCD\xF8\xC2\xE7\xD7\xB4\xCC\xAC\xCA\xE4\xB3\xF6\xB5\xC4\xC6\xF0\xCA\xBC"
                                            "\xB5\xD8\xD6\xB7\xC9\xE8\xB6\xA8"; // "网络状态输出的起始地址设定"
inline constexpr const char* kMasterStatusLabel = "\xD6\xF7\xD5\xBE\xD7\xB4\xCC\xAC";     // "主站状态"
inline constexpr const char* kSlavesStatusLabel = "\xB8\xF7\xB8\xF6\xD5\xBE\xD7\xB4\xCC\xAC"; // "各个站状态"
inline constexpr const char* kNetStatusLabel = "\xCD\xF8\xC2\xE7\xD7\xB4\xCC\xAC ";       // "网络状态 "
inline constexpr const char* kOneByte = "\xD5\xBC" "1\xD7\xD6\xBD\xDA";                    // "占1字节"
inline constexpr const char* kFourBytes = "\xD5\xBC" "4\xD7\xD6\xBD\xDA";                  // "占4字节"
inline constexpr const char* kSlavesBytes = "\xD5\xBC" "128\xD7\xD6\xBD\xDA";              // "占128字节"
inline constexpr const char* kSaveButton = "\xB1\xA3\xB4\xE6";                            // "保存"
inline constexpr const char* kHelpButton = "\xB0\xEF\xD6\xFA";                            // "帮助"

// Network page controls.
inline constexpr const char* kSlaveTypesGroup = "\xB4\xD3\xD5\xBE\xC4\xA3\xBF\xE9\xC1\xD0\xB1\xED"; // "从站模块列表"
inline constexpr const char* kSlaveListGroup =
    "\xB4\xD3\xD5\xBE\xC4\xA3\xBF\xE9\xC1\xD0\xB1\xED(\xCA\xB1\xBC\xE4\xB5\xA5\xCE\xBB: ms)"; // "从站模块列表(时间单位: ms)"
inline constexpr const char* kImportEdsButton = "\xB5\xBC\xC8\xEB" "EDS";   // "导入EDS"
inline constexpr const char* kDeleteButton = "\xC9\xBE\xB3\xFD";             // "删除"
inline constexpr const char* kMoveUpButton = "\xC9\xCF\xD2\xC6";             // "上移"
inline constexpr const char* kMoveDownButton = "\xCF\xC2\xD2\xC6";           // "下移"
inline constexpr const char* kBootButton = "\xC6\xF4\xB6\xAF\xB9\xFD\xB3\xCC"; // "启动过程"
inline constexpr const char* kImportEdsTitle = "\xB5\xBC\xC8\xEB" "EDS\xCE\xC4\xBC\xFE"; // "导入EDS文件"
inline constexpr const char* kEdsFilter = "Electronic Data Sheet (*.eds)";
inline constexpr const char* kEdsExtension = "eds";

// Boot-up dialog.
inline constexpr const char* kBootDlgCaption = "\xB4\xD3\xD5\xBE\xC6\xF4\xB6\xAF\xB9\xFD\xB3\xCC\xD1\xA1\xD4\xF1"; // "从站启动过程选择"
// "当前从站地址: %d"
inline constexpr const char* kBootNodeLabel = "\xB5\xB1\xC7\xB0\xB4\xD3\xD5\xBE\xB5\xD8\xD6\xB7: %d";
inline constexpr const char* kBootSaveButton = "\xB1\xA3\xB4\xE6\xB2\xA2\xCD\xCB\xB3\xF6";   // "保存并退出"
inline constexpr const char* kBootCancelButton = "\xC8\xA1\xCF\xFB\xB2\xA2\xCD\xCB\xB3\xF6"; // "取消并退出"
inline constexpr const char* kBootHelpButton = "\xB0\xEF \xD6\xFA";                          // "帮 助"

// Address overview page.
inline constexpr const char* kReassignButton = "\xD6\xD8\xD0\xC2\xB7\xD6\xC5\xE4\xC4\xDA\xB4\xE6"; // "重新分配内存"

// Mapping page controls.
inline constexpr const char* kAddedSlavesGroup = "\xD2\xD1\xCC\xED\xBC\xD3\xB5\xC4\xB4\xD3\xD5\xBE"; // "已添加的从站"
inline constexpr const char* kAddObjectButton = "\xCC\xED\xBC\xD3OD";                              // "添加OD"
inline constexpr const char* kPdoMappingGroup = "PDO\xD3\xB3\xC9\xE4";                             // "PDO映射"
