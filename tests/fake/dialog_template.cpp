#include "fake/dialog_template.h"

#include <algorithm>
#include <cstdint>

namespace polkamoot::fake::detail {

namespace {

constexpr DWORD DS_SETFONT = 0x40;
constexpr DWORD ExtendedSignature = 0xFFFF0001;

class Reader {
  public:
    Reader(const BYTE* data, DWORD size) : data_(data), size_(size) {}
    bool ok() const { return ok_; }
    WORD Word() {
        if (at_ + 2 > size_) {
            ok_ = false;
            return 0;
        }
        WORD value = static_cast<WORD>(data_[at_] | data_[at_ + 1] << 8);
        at_ += 2;
        return value;
    }
    DWORD Dword() {
        WORD low = Word();
        return low | DWORD{Word()} << 16;
    }
    int Short() { return static_cast<std::int16_t>(Word()); }
    void Skip(DWORD bytes) { at_ = std::min(at_ + bytes, size_); }
    void Align() { at_ = std::min((at_ + 3) & ~DWORD{3}, size_); }
    std::string Text() {
        std::string text;
        for (WORD c = Word(); ok_ && c != 0; c = Word()) {
            text += static_cast<char>(c & 0xFF);
        }
        return text;
    }
    // A name or a number: the number is returned in `ordinal`, the text is then empty.
    std::string TextOrOrdinal(WORD* ordinal) {
        if (at_ + 2 <= size_ && data_[at_] == 0xFF && data_[at_ + 1] == 0xFF) {
            Word();
            *ordinal = Word();
            return {};
        }
        *ordinal = 0;
        return Text();
    }

  private:
    const BYTE* data_;
    DWORD size_;
    DWORD at_ = 0;
    bool ok_ = true;
};

std::string ClassOfAtom(WORD atom) {
    const char* names[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
    return atom >= 0x80 && atom <= 0x85 ? names[atom - 0x80] : "#" + std::to_string(atom);
}

void ReadPlacement(Reader& in, WindowInfo* info) {
    info->x = in.Short();
    info->y = in.Short();
    info->width = in.Short();
    info->height = in.Short();
}

} // namespace

// The fixed header, then menu, class and caption, the font when DS_SETFONT is set, and each
// item on a four-byte boundary.
bool ParseDialogTemplate(const BYTE* data, DWORD size, DialogTemplate* out) {
    Reader in(data, size);
    out->frame.className = "#32770";
    out->frame.style = in.Dword();
    out->frame.exStyle = in.Dword();
    int count = in.Word();
    ReadPlacement(in, &out->frame);
    WORD ordinal = 0;
    in.TextOrOrdinal(&ordinal); // menu
    in.TextOrOrdinal(&ordinal); // class
    out->frame.title = in.Text();
    if (out->frame.style & DS_SETFONT) {
        in.Word();
        in.Text();
    }
    for (int i = 0; i < count && in.ok(); ++i) {
        in.Align();
        TemplateItem item;
        item.info.style = in.Dword();
        item.info.exStyle = in.Dword();
        ReadPlacement(in, &item.info);
        item.id = static_cast<std::int16_t>(in.Word());
        std::string className = in.TextOrOrdinal(&ordinal);
        item.info.className = ordinal ? ClassOfAtom(ordinal) : className;
        item.info.title = in.TextOrOrdinal(&ordinal);
        in.Skip(in.Word());
        out->items.push_back(item);
    }
    return in.ok() && out->frame.style != ExtendedSignature;
}

} // namespace polkamoot::fake::detail
