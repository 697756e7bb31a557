#pragma once
// Messages of the slave-type library and the EDS import (GBK).

// "OrvelBuilder"
inline constexpr const char* kMessageCaption = "OrvelBuilder";
// "提示"
inline constexpr const char* kNoteCaption = "\xCC\xE1\xCA\xBE";
// "文件 %s 打开失败, 导致导入失败"
inline constexpr const char* kFileOpenFailed =
    "\xCE\xC4\xBC\xFE %s \xB4\xF2\xBF\xAA\xCA\xA7\xB0\xDC, \xB5\xBC\xD6\xC2\xB5\xBC\xC8\xEB\xCA\xA7\xB0\xDC";
// "导入EDS过程中, 发现不能解析的OD项, 已忽略"
inline constexpr const char* kUnparsedItems = "\xB5\xBC\xC8\xEB"
                                              "EDS\xB9\xFD\xB3\xCC\xD6\xD0, \xB7\xA2\xCF\xD6\xB2\xBB\xC4\xDC\xBD\xE2"
                                              "\xCE\xF6\xB5\xC4OD\xCF\xEE, \xD2\xD1\xBA\xF6\xC2\xD4";
// " 类型的从站的导入信息已经存在, 覆盖?" (after the type name)
inline constexpr const char* kOverwriteQuestion =
    " \xC0\xE0\xD0\xCD\xB5\xC4\xB4\xD3\xD5\xBE\xB5\xC4\xB5\xBC\xC8\xEB\xD0\xC5\xCF\xA2\xD2\xD1\xBE\xAD\xB4\xE6"
    "\xD4\xDA, \xB8\xB2\xB8\xC7?";
// "文件 %s 操作失败, 导致导入EDS存盘失败"
inline constexpr const char* kSaveFailed = "\xCE\xC4\xBC\xFE %s \xB2\xD9\xD7\xF7\xCA\xA7\xB0\xDC, \xB5\xBC\xD6\xC2"
                                           "\xB5\xBC\xC8\xEB"
                                           "EDS\xB4\xE6\xC5\xCC\xCA\xA7\xB0\xDC";
// "产品名称 "%s" 不能用作文件名, 导致导入EDS存盘失败"
inline constexpr const char* kBadProductName = "\xB2\xFA\xC6\xB7\xC3\xFB\xB3\xC6 \"%s\" \xB2\xBB\xC4\xDC\xD3\xC3"
                                               "\xD7\xF7\xCE\xC4\xBC\xFE\xC3\xFB, \xB5\xBC\xD6\xC2\xB5\xBC\xC8\xEB"
                                               "EDS\xB4\xE6\xC5\xCC\xCA\xA7\xB0\xDC";
// "产品和参数名称中的 "," 和 "]" 已换成 ";" 和 ")""
inline constexpr const char* kNamesAltered = "\xB2\xFA\xC6\xB7\xBA\xCD\xB2\xCE\xCA\xFD\xC3\xFB\xB3\xC6\xD6\xD0"
                                             "\xB5\xC4 \",\" \xBA\xCD \"]\" \xD2\xD1\xBB\xBB\xB3\xC9 \";\" \xBA\xCD "
                                             "\")\"";
