#include "document.h"

namespace report {

std::u16string Document::PlainText(bool withListText) const {
    std::u16string out;
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        if (i) out += u'\r';
        for (const Run& r : paragraphs[i].runs)
            if (withListText || !r.listText) out += r.text;
    }
    return out;
}

}  // namespace report
