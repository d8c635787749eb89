#include "RowText.h"

#include "Codepage.h"
#include "Neon.h"

#include <QStringDecoder>

#include <algorithm>

TRowText RowFromUtf8(const std::string& utf8, bool centre) {
    TRowText result;
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder(QByteArrayView(utf8.data(), static_cast<qsizetype>(utf8.size())));
    result.invalidUtf8 = decoder.hasError();
    text.replace(QChar::ReplacementCharacter, u'?');
    const std::string bytes = ToCp1250(text);
    const auto questionMarks = [](const auto& s) { return std::count(s.begin(), s.end(), '?'); };
    result.unmappable = static_cast<int>(questionMarks(bytes) - text.count(u'?'));
    result.cells = bytes.size();
    result.row = PageRow(bytes, centre);
    return result;
}
