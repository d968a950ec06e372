#include "catalog/JsonText.h"

namespace KivJsonText {

void Append(QByteArray &out, const QString &text)
{
    static const char hex[] = "0123456789abcdef";
    out += '"';
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u == '"' || u == '\\') {
            out += '\\';
            out += char(u);
        } else if (u >= 0x20 && u < 0x7F) {
            out += char(u);
        } else {
            const char escape[] = {'\\', 'u', hex[(u >> 12) & 0xF], hex[(u >> 8) & 0xF], hex[(u >> 4) & 0xF],
                                   hex[u & 0xF]};
            out.append(escape, sizeof(escape));
        }
    }
    out += '"';
}

} // namespace KivJsonText
