#pragma once

#include <QByteArray>

class CExportContent;

// The spreadsheet form of an export: RFC 4180 text (fields quoted where they
// need it, CRLF between rows), UTF-8 with a byte-order mark so spreadsheet
// programs read accents, a header row, then one row per expense. Numbers use
// "." and no grouping whatever the regional settings say.
class CCsvExport {
public:
    static QByteArray Write(const CExportContent& content);

    // The names of the columns, in order.
    static QStringList ColumnNames();
};
