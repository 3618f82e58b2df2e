#include "compiler/Text.h"

#include <QStringEncoder>
#include <cmath>

namespace brisa::compiler {

namespace {
bool isSkippedBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }
}  // namespace

double textValue(QStringView text) {
    qsizetype i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && isSkippedBlank(text[i])) ++i;
    };
    skipBlanks();
    double sign = 1.0;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        if (text[i] == u'-') sign = -1.0;
        ++i;
    }
    double value = 0.0;
    double scale = 0.0;  // 0 while in the whole part, then 0.1, 0.01, ...
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isSkippedBlank(c)) continue;
        if (c == u'.' && scale == 0.0) {
            scale = 0.1;
            continue;
        }
        if (c < u'0' || c > u'9') break;
        const int digit = c.unicode() - u'0';
        if (scale == 0.0) {
            value = value * 10.0 + digit;
        } else {
            value += digit * scale;
            scale /= 10.0;
        }
    }
    return sign * value;
}

int textInt(QStringView text) {
    const double v = textValue(text);
    // Far outside any field's range: keep the conversion defined.
    if (!(std::fabs(v) < 2.0e9)) return 0;
    return static_cast<int>(std::lround(v));
}

QString trimSpaces(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ') ++begin;
    while (end > begin && text[end - 1] == u' ') --end;
    return text.mid(begin, end - begin).toString();
}

QByteArray toWindows1252(QStringView text) {
    // Qt's converter substitutes 0x1A for what the code page lacks; the node shows "?" instead,
    // so each character is converted on its own and checked.
    QStringEncoder encoder("windows-1252", QStringConverter::Flag::Stateless);
    QByteArray out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype len = 1;
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            len = 2;
        const QStringView one = text.mid(i, len);
        i += len;
        if (len == 1 && text[i - 1].unicode() < 0x80) {
            out.append(static_cast<char>(text[i - 1].unicode()));
            continue;
        }
        char byte = '?';
        if (encoder.isValid()) {
            encoder.resetState();
            const QByteArray b = encoder.encode(one);
            if (!encoder.hasError() && b.size() == 1) byte = b[0];
        } else if (len == 1 && text[i - 1].unicode() >= 0xA0 && text[i - 1].unicode() <= 0xFF) {
            // Without the converter, Latin-1 letters still coincide with Windows-1252.
            byte = static_cast<char>(text[i - 1].unicode());
        }
        out.append(byte);
    }
    return out;
}

bool isAsciiAlphanumeric(QStringView text) {
    for (const QChar c : text)
        if (c.unicode() > 127 || !c.isLetterOrNumber()) return false;
    return true;
}

}  // namespace brisa::compiler
