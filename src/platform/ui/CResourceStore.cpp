#include "CResourceStore.h"

#include "CQtCursors.h"
#include "platform/Gbk.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>

#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace {

struct NamedKey {
    const char* name;
    UINT vk;
};

const NamedKey kVirtualKeys[] = {
    {"VK_BACK", VK_BACK},     {"VK_TAB", VK_TAB},       {"VK_RETURN", VK_RETURN}, {"VK_ESCAPE", VK_ESCAPE},
    {"VK_SPACE", VK_SPACE},   {"VK_PRIOR", VK_PRIOR},   {"VK_NEXT", VK_NEXT},     {"VK_END", VK_END},
    {"VK_HOME", VK_HOME},     {"VK_LEFT", VK_LEFT},     {"VK_UP", VK_UP},         {"VK_RIGHT", VK_RIGHT},
    {"VK_DOWN", VK_DOWN},     {"VK_INSERT", VK_INSERT}, {"VK_DELETE", VK_DELETE}, {"VK_F1", 0x70},
    {"VK_F2", 0x71},          {"VK_F3", 0x72},          {"VK_F4", 0x73},          {"VK_F5", 0x74},
    {"VK_F6", 0x75},          {"VK_F7", 0x76},          {"VK_F8", 0x77},          {"VK_F9", 0x78},
    {"VK_F10", 0x79},         {"VK_F11", 0x7A},         {"VK_F12", 0x7B},
};

struct NamedCursor {
    const char* name;
    Qt::CursorShape shape;
};

const NamedCursor kCursorShapes[] = {
    {"Arrow", Qt::ArrowCursor},        {"UpArrow", Qt::UpArrowCursor},     {"Cross", Qt::CrossCursor},
    {"Wait", Qt::WaitCursor},          {"IBeam", Qt::IBeamCursor},         {"SizeVer", Qt::SizeVerCursor},
    {"SizeHor", Qt::SizeHorCursor},    {"SizeBDiag", Qt::SizeBDiagCursor}, {"SizeFDiag", Qt::SizeFDiagCursor},
    {"SizeAll", Qt::SizeAllCursor},    {"Blank", Qt::BlankCursor},         {"SplitV", Qt::SplitVCursor},
    {"SplitH", Qt::SplitHCursor},      {"PointingHand", Qt::PointingHandCursor},
    {"Forbidden", Qt::ForbiddenCursor}, {"WhatsThis", Qt::WhatsThisCursor}, {"Busy", Qt::BusyCursor},
    {"OpenHand", Qt::OpenHandCursor},  {"ClosedHand", Qt::ClosedHandCursor}, {"DragCopy", Qt::DragCopyCursor},
    {"DragMove", Qt::DragMoveCursor},  {"DragLink", Qt::DragLinkCursor},
};

struct MenuFlag {
    const char* name;
    UINT flag;
};

const MenuFlag kMenuFlags[] = {
    {"GRAYED", MF_GRAYED},   {"INACTIVE", MF_DISABLED},          {"CHECKED", MF_CHECKED},
    {"MENUBREAK", MF_MENUBREAK}, {"MENUBARBREAK", MF_MENUBARBREAK}, {"HELP", MF_HELP},
};

struct AccelFlag {
    const char* name;
    BYTE flag;
};

const AccelFlag kAccelFlags[] = {
    {"VIRTKEY", FVIRTKEY}, {"SHIFT", FSHIFT}, {"CONTROL", FCONTROL}, {"ALT", FALT},
};

enum class TokenKind { Word, Number, String, Comma, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;   // words and strings (UTF-8 as read)
    UINT number = 0;
    int line = 0;
};

// Splits resource text into words, numbers, strings and commas.
class Tokenizer {
public:
    explicit Tokenizer(const std::string& text) : m_text(text) {}

    BOOL Run(std::vector<Token>* tokens, std::string* error)
    {
        while (m_pos < m_text.size()) {
            char c = m_text[m_pos];
            if (c == '\n') {
                ++m_line;
                ++m_pos;
                m_lineStart = true;
                continue;
            }
            if (std::isspace(static_cast<unsigned char>(c))) {
                ++m_pos;
                continue;
            }
            if ((c == '/' && Peek(1) == '/') || (c == '#' && m_lineStart)) {
                SkipLine();
                continue;
            }
            m_lineStart = false;
            if (c == ',') {
                tokens->push_back({TokenKind::Comma, ",", 0, m_line});
                ++m_pos;
                continue;
            }
            if (c == '"') {
                if (!ReadString(tokens, error))
                    return FALSE;
                continue;
            }
            if (std::isdigit(static_cast<unsigned char>(c))) {
                if (!ReadNumber(tokens, error))
                    return FALSE;
                continue;
            }
            if (std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == '{' || c == '}') {
                ReadWord(tokens);
                continue;
            }
            *error = "line " + std::to_string(m_line) + ": unexpected character '" + std::string(1, c) + "'";
            return FALSE;
        }
        tokens->push_back({TokenKind::End, "", 0, m_line});
        return TRUE;
    }

private:
    char Peek(size_t ahead) const { return m_pos + ahead < m_text.size() ? m_text[m_pos + ahead] : '\0'; }

    void SkipLine()
    {
        while (m_pos < m_text.size() && m_text[m_pos] != '\n')
            ++m_pos;
    }

    BOOL ReadString(std::vector<Token>* tokens, std::string* error)
    {
        int startLine = m_line;
        std::string value;
        ++m_pos;
        while (m_pos < m_text.size()) {
            char c = m_text[m_pos++];
            if (c == '\n')
                break;
            if (c == '"') {
                if (Peek(0) == '"') {
                    value += '"';
                    ++m_pos;
                    continue;
                }
                tokens->push_back({TokenKind::String, value, 0, startLine});
                return TRUE;
            }
            if (c != '\\') {
                value += c;
                continue;
            }
            char e = Peek(0);
            ++m_pos;
            switch (e) {
            case 't': value += '\t'; break;
            case 'n': value += '\n'; break;
            case 'r': value += '\r'; break;
            case '\\': value += '\\'; break;
            case '"': value += '"'; break;
            default:
                *error = "line " + std::to_string(startLine) + ": unknown escape \\" + std::string(1, e);
                return FALSE;
            }
        }
        *error = "line " + std::to_string(startLine) + ": unterminated string";
        return FALSE;
    }

    BOOL ReadNumber(std::vector<Token>* tokens, std::string* error)
    {
        size_t start = m_pos;
        while (m_pos < m_text.size() && std::isalnum(static_cast<unsigned char>(m_text[m_pos])))
            ++m_pos;
        std::string digits = m_text.substr(start, m_pos - start);
        errno = 0;
        char* end = nullptr;
        unsigned long value = std::strtoul(digits.c_str(), &end, 0);
        if (errno != 0 || *end != '\0' || value > 0xFFFFFFFFul) {
            *error = "line " + std::to_string(m_line) + ": bad number '" + digits + "'";
            return FALSE;
        }
        tokens->push_back({TokenKind::Number, digits, static_cast<UINT>(value), m_line});
        return TRUE;
    }

    void ReadWord(std::vector<Token>* tokens)
    {
        char c = m_text[m_pos];
        if (c == '{' || c == '}') {
            tokens->push_back({TokenKind::Word, c == '{' ? "BEGIN" : "END", 0, m_line});
            ++m_pos;
            return;
        }
        size_t start = m_pos;
        while (m_pos < m_text.size() &&
               (std::isalnum(static_cast<unsigned char>(m_text[m_pos])) || m_text[m_pos] == '_'))
            ++m_pos;
        tokens->push_back({TokenKind::Word, m_text.substr(start, m_pos - start), 0, m_line});
    }

    const std::string& m_text;
    size_t m_pos = 0;
    int m_line = 1;
    bool m_lineStart = true;
};

// A cursor drawn as a picture beside the resource file, with its hot spot.
struct CursorFile {
    std::string file;
    UINT hotX = 0;
    UINT hotY = 0;
};

bool IsPictureName(const std::string& name)
{
    const std::string suffix = ".png";
    return name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// What one file defines, merged into the store only when all of it parsed.
struct ParsedResources {
    std::map<UINT, CMenu> menus;
    std::map<UINT, CAcceleratorTable> accelerators;
    std::map<UINT, std::string> strings;
    std::map<UINT, CToolBarResource> toolBars;
    std::map<UINT, Qt::CursorShape> cursors;
    std::map<UINT, std::string> bitmapFiles;   // as written, relative to the resource file
    std::map<UINT, CursorFile> cursorFiles;    // the program's own cursor art
};

class Parser {
public:
    Parser(const std::vector<Token>& tokens, ParsedResources* out) : m_tokens(tokens), m_out(out) {}

    BOOL Run(std::string* error)
    {
        while (Current().kind != TokenKind::End) {
            if (!Statement()) {
                *error = m_error;
                return FALSE;
            }
        }
        return TRUE;
    }

private:
    const Token& Current() const { return m_tokens[m_pos]; }
    const Token& Take()
    {
        const Token& token = m_tokens[m_pos < m_tokens.size() - 1 ? m_pos++ : m_pos];
        m_lastLine = token.line;
        return token;
    }

    // An error in what was just read.
    BOOL Fail(const std::string& what)
    {
        m_error = "line " + std::to_string(m_lastLine) + ": " + what;
        return FALSE;
    }
    // An error in what comes next.
    BOOL FailHere(const std::string& what)
    {
        m_error = "line " + std::to_string(Current().line) + ": " + what;
        return FALSE;
    }
    BOOL IsWord(const char* word) const { return Current().kind == TokenKind::Word && Current().text == word; }
    void SkipComma()
    {
        if (Current().kind == TokenKind::Comma)
            ++m_pos;
    }
    BOOL ExpectWord(const char* word)
    {
        if (!IsWord(word))
            return FailHere(std::string("expected ") + word);
        Take();
        return TRUE;
    }
    BOOL ExpectNumber(UINT* value)
    {
        if (Current().kind != TokenKind::Number)
            return FailHere("expected a number");
        *value = Take().number;
        return TRUE;
    }
    BOOL ExpectString(std::string* value)
    {
        if (Current().kind != TokenKind::String)
            return FailHere("expected a quoted text");
        *value = Take().text;
        return TRUE;
    }

    BOOL Statement()
    {
        if (IsWord("STRINGTABLE")) {
            Take();
            return StringTable();
        }
        UINT id = 0;
        if (!ExpectNumber(&id))
            return FALSE;
        if (Current().kind != TokenKind::Word)
            return FailHere("expected a resource type");
        std::string type = Take().text;
        if (type == "MENU")
            return Menu(id);
        if (type == "ACCELERATORS")
            return Accelerators(id);
        if (type == "TOOLBAR")
            return ToolBar(id);
        if (type == "CURSOR")
            return Cursor(id);
        if (type == "BITMAP")
            return Bitmap(id);
        return Fail("unknown resource type " + type);
    }

    BOOL Menu(UINT id)
    {
        if (m_out->menus.count(id))
            return Fail("menu " + std::to_string(id) + " defined twice");
        CMenu menu;
        menu.CreatePopupMenu();
        if (!MenuBlock(&menu))
            return FALSE;
        m_out->menus[id] = std::move(menu);
        return TRUE;
    }

    BOOL MenuFlags(UINT* flags)
    {
        while (Current().kind == TokenKind::Comma) {
            Take();
            if (Current().kind != TokenKind::Word)
                return FailHere("expected a menu option");
            std::string name = Take().text;
            BOOL known = FALSE;
            for (const MenuFlag& f : kMenuFlags) {
                if (name == f.name) {
                    *flags |= f.flag;
                    known = TRUE;
                }
            }
            if (!known)
                return Fail("unknown menu option " + name);
        }
        return TRUE;
    }

    BOOL MenuBlock(CMenu* menu)
    {
        if (!ExpectWord("BEGIN"))
            return FALSE;
        while (!IsWord("END")) {
            if (IsWord("MENUITEM")) {
                Take();
                if (!MenuItem(menu))
                    return FALSE;
                continue;
            }
            if (IsWord("POPUP")) {
                Take();
                if (!Popup(menu))
                    return FALSE;
                continue;
            }
            return FailHere("expected MENUITEM, POPUP or END");
        }
        Take();
        return TRUE;
    }

    BOOL MenuItem(CMenu* menu)
    {
        if (IsWord("SEPARATOR")) {
            Take();
            menu->AppendMenu(MF_SEPARATOR);
            return TRUE;
        }
        std::string text;
        UINT id = 0;
        UINT flags = MF_STRING;
        if (!ExpectString(&text))
            return FALSE;
        SkipComma();
        if (!ExpectNumber(&id) || !MenuFlags(&flags))
            return FALSE;
        menu->AppendMenu(flags, id, Utf8ToGbk(text));
        return TRUE;
    }

    BOOL Popup(CMenu* menu)
    {
        std::string text;
        UINT flags = MF_POPUP;
        if (!ExpectString(&text) || !MenuFlags(&flags))
            return FALSE;
        CMenu submenu;
        submenu.CreatePopupMenu();
        if (!MenuBlock(&submenu))
            return FALSE;
        menu->AppendPopup(flags, submenu, Utf8ToGbk(text));
        return TRUE;
    }

    BOOL AcceleratorKey(ACCEL* accel)
    {
        if (Current().kind == TokenKind::Number) {
            accel->key = static_cast<WORD>(Take().number);
            return TRUE;
        }
        if (Current().kind == TokenKind::String) {
            std::string key = Take().text;
            if (key.size() != 1 || !std::isalnum(static_cast<unsigned char>(key[0])))
                return Fail("an accelerator key is one letter or digit");
            accel->key = static_cast<WORD>(std::toupper(static_cast<unsigned char>(key[0])));
            return TRUE;
        }
        if (Current().kind == TokenKind::Word) {
            std::string name = Take().text;
            for (const NamedKey& k : kVirtualKeys) {
                if (name == k.name) {
                    accel->key = static_cast<WORD>(k.vk);
                    return TRUE;
                }
            }
            return Fail("unknown key " + name);
        }
        return FailHere("expected an accelerator key");
    }

    BOOL Accelerators(UINT id)
    {
        if (m_out->accelerators.count(id))
            return Fail("accelerator table " + std::to_string(id) + " defined twice");
        CAcceleratorTable table;
        if (!ExpectWord("BEGIN"))
            return FALSE;
        while (!IsWord("END")) {
            ACCEL accel;
            accel.fVirt = 0;
            UINT command = 0;
            if (!AcceleratorKey(&accel))
                return FALSE;
            SkipComma();
            if (!ExpectNumber(&command))
                return FALSE;
            accel.cmd = static_cast<WORD>(command);
            while (Current().kind == TokenKind::Comma) {
                Take();
                std::string name = Current().kind == TokenKind::Word ? Take().text : std::string();
                BOOL known = FALSE;
                for (const AccelFlag& f : kAccelFlags) {
                    if (name == f.name) {
                        accel.fVirt |= f.flag;
                        known = TRUE;
                    }
                }
                if (!known)
                    return Fail("unknown accelerator option " + name);
            }
            if (!(accel.fVirt & FVIRTKEY))
                return Fail("accelerators must be VIRTKEY");
            table.Add(accel);
        }
        Take();
        m_out->accelerators[id] = std::move(table);
        return TRUE;
    }

    BOOL StringTable()
    {
        if (!ExpectWord("BEGIN"))
            return FALSE;
        while (!IsWord("END")) {
            UINT id = 0;
            std::string text;
            if (!ExpectNumber(&id))
                return FALSE;
            SkipComma();
            if (!ExpectString(&text))
                return FALSE;
            if (m_out->strings.count(id))
                return Fail("string " + std::to_string(id) + " defined twice");
            m_out->strings[id] = Utf8ToGbk(text);
        }
        Take();
        return TRUE;
    }

    BOOL ToolBar(UINT id)
    {
        if (m_out->toolBars.count(id))
            return Fail("toolbar " + std::to_string(id) + " defined twice");
        CToolBarResource bar;
        if (Current().kind == TokenKind::Number) {
            UINT w = 0;
            UINT h = 0;
            ExpectNumber(&w);
            SkipComma();
            if (!ExpectNumber(&h))
                return FALSE;
            bar.buttonWidth = static_cast<int>(w);
            bar.buttonHeight = static_cast<int>(h);
        }
        if (!ExpectWord("BEGIN"))
            return FALSE;
        while (!IsWord("END")) {
            if (IsWord("SEPARATOR")) {
                Take();
                bar.commands.push_back(0);
                continue;
            }
            UINT command = 0;
            if (!ExpectWord("BUTTON") || !ExpectNumber(&command))
                return FALSE;
            if (command == 0)
                return Fail("a button needs a command id other than 0");
            bar.commands.push_back(command);
        }
        Take();
        m_out->toolBars[id] = std::move(bar);
        return TRUE;
    }

    BOOL Cursor(UINT id)
    {
        std::string name;
        if (!ExpectString(&name))
            return FALSE;
        if (IsPictureName(name)) {
            CursorFile art {name};
            SkipComma();
            if (!ExpectNumber(&art.hotX))
                return FALSE;
            SkipComma();
            if (!ExpectNumber(&art.hotY))
                return FALSE;
            m_out->cursorFiles[id] = art;
            return TRUE;
        }
        for (const NamedCursor& c : kCursorShapes) {
            if (name == c.name) {
                m_out->cursors[id] = c.shape;
                return TRUE;
            }
        }
        return Fail("unknown cursor shape " + name);
    }

    BOOL Bitmap(UINT id)
    {
        std::string file;
        if (!ExpectString(&file))
            return FALSE;
        if (m_out->bitmapFiles.count(id))
            return Fail("bitmap " + std::to_string(id) + " defined twice");
        m_out->bitmapFiles[id] = file;
        return TRUE;
    }

    const std::vector<Token>& m_tokens;
    ParsedResources* m_out;
    size_t m_pos = 0;
    int m_lastLine = 1;
    std::string m_error;
};

// Reads the picture files a resource file names, beside that file. A
// picture with an alpha channel is a 32-bit alpha strip; one without is a
// strip whose mask colour marks the transparent pixels.
BOOL LoadBitmapFiles(const std::string& sourceName, const std::map<UINT, std::string>& files,
                     std::map<UINT, CIconImage>* bitmaps, std::string* what)
{
    const QString folder = QFileInfo(QString::fromStdString(sourceName)).path();
    for (const auto& entry : files) {
        const QString path = folder + "/" + QString::fromStdString(entry.second);
        QImage image(path);
        if (image.isNull()) {
            *what = "bitmap " + std::to_string(entry.first) + ": " + entry.second + " cannot be read";
            return FALSE;
        }
        const BOOL alpha = image.hasAlphaChannel();
        image = image.convertToFormat(QImage::Format_ARGB32);
        CIconImage bitmap(image.width(), image.height());
        for (int y = 0; y < image.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                bitmap.SetPixel(x, y, alpha ? row[x] : (row[x] | 0xFF000000u));
        }
        bitmap.SetAlpha(alpha);
        (*bitmaps)[entry.first] = std::move(bitmap);
    }
    return TRUE;
}

BOOL LoadCursorFiles(const std::string& sourceName, const std::map<UINT, CursorFile>& files,
                     std::map<UINT, QImage>* pictures, std::string* what)
{
    const QString folder = QFileInfo(QString::fromStdString(sourceName)).path();
    for (const auto& entry : files) {
        QImage image(folder + "/" + QString::fromStdString(entry.second.file));
        if (image.isNull()) {
            *what = "cursor " + std::to_string(entry.first) + ": " + entry.second.file + " cannot be read";
            return FALSE;
        }
        if (entry.second.hotX >= static_cast<UINT>(image.width()) ||
            entry.second.hotY >= static_cast<UINT>(image.height())) {
            *what = "cursor " + std::to_string(entry.first) + ": hot spot outside the picture";
            return FALSE;
        }
        (*pictures)[entry.first] = image;
    }
    return TRUE;
}

template <class Map>
void MergeInto(Map& target, Map& source)
{
    for (auto& entry : source)
        target[entry.first] = std::move(entry.second);
}

} // namespace

CResourceStore& CResourceStore::Instance()
{
    static CResourceStore store;
    return store;
}

BOOL CResourceStore::LoadFile(const std::string& path, std::string* error)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        *error = path + ": cannot be read";
        return FALSE;
    }
    QByteArray bytes = file.readAll();
    if (!LoadText(bytes.toStdString(), path, error))
        return FALSE;
    m_loadedFiles.insert(path);
    return TRUE;
}

BOOL CResourceStore::LoadText(const std::string& utf8Text, const std::string& sourceName, std::string* error)
{
    std::vector<Token> tokens;
    std::string what;
    ParsedResources parsed;
    std::map<UINT, CIconImage> bitmaps;
    std::map<UINT, QImage> cursorPictures;
    if (!Tokenizer(utf8Text).Run(&tokens, &what) || !Parser(tokens, &parsed).Run(&what)
        || !LoadBitmapFiles(sourceName, parsed.bitmapFiles, &bitmaps, &what)
        || !LoadCursorFiles(sourceName, parsed.cursorFiles, &cursorPictures, &what)) {
        *error = sourceName + ": " + what;
        return FALSE;
    }
    MergeInto(m_menus, parsed.menus);
    MergeInto(m_accelerators, parsed.accelerators);
    MergeInto(m_strings, parsed.strings);
    MergeInto(m_toolBars, parsed.toolBars);
    for (const auto& cursor : parsed.cursors)
        CQtCursors::Register(cursor.first, QCursor(cursor.second));
    for (const auto& [id, picture] : cursorPictures) {
        const CursorFile& art = parsed.cursorFiles.at(id);
        CQtCursors::Register(id, QCursor(QPixmap::fromImage(picture), static_cast<int>(art.hotX),
                                         static_cast<int>(art.hotY)));
    }
    MergeInto(m_cursors, parsed.cursors);
    MergeInto(m_bitmaps, bitmaps);
    return TRUE;
}

void CResourceStore::Clear()
{
    m_loadedFiles.clear();
    m_menus.clear();
    m_accelerators.clear();
    m_strings.clear();
    m_toolBars.clear();
    m_cursors.clear();
    m_bitmaps.clear();
}

namespace {

template <class Map>
std::vector<UINT> KeysOf(const Map& map)
{
    std::vector<UINT> keys;
    for (const auto& [id, value] : map)
        keys.push_back(id);
    return keys;
}

} // namespace

std::vector<UINT> CResourceStore::GetMenuIds() const
{
    return KeysOf(m_menus);
}

std::vector<UINT> CResourceStore::GetAcceleratorIds() const
{
    return KeysOf(m_accelerators);
}

std::vector<UINT> CResourceStore::GetToolBarIds() const
{
    return KeysOf(m_toolBars);
}

const CMenu* CResourceStore::FindMenu(UINT id) const
{
    auto it = m_menus.find(id);
    return it == m_menus.end() ? nullptr : &it->second;
}

const CAcceleratorTable* CResourceStore::FindAccelerators(UINT id) const
{
    auto it = m_accelerators.find(id);
    return it == m_accelerators.end() ? nullptr : &it->second;
}

BOOL CResourceStore::FindString(UINT id, std::string* text) const
{
    auto it = m_strings.find(id);
    if (it == m_strings.end())
        return FALSE;
    *text = it->second;
    return TRUE;
}

std::string CResourceStore::LoadString(UINT id) const
{
    std::string text;
    FindString(id, &text);
    return text;
}

const CToolBarResource* CResourceStore::FindToolBar(UINT id) const
{
    auto it = m_toolBars.find(id);
    return it == m_toolBars.end() ? nullptr : &it->second;
}

BOOL CResourceStore::LoadCursor(UINT id, QCursor* cursor) const
{
    auto it = m_cursors.find(id);
    if (it != m_cursors.end()) {
        *cursor = QCursor(it->second);
        return TRUE;
    }
    return CQtCursors::Find(id, cursor);
}

const CIconImage* CResourceStore::FindBitmap(UINT id) const
{
    auto it = m_bitmaps.find(id);
    return it == m_bitmaps.end() ? nullptr : &it->second;
}
