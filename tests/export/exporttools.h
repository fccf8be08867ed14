#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QString>
#include <QStringList>

// The tools that check exported files from outside, as their readers would:
// Python's csv module for the spreadsheet file, poppler's pdftotext and
// pdfinfo for the PDF. A tool that is missing or fails fails the test.

// The rows of a CSV file as Python's csv module reads it (UTF-8 with its
// byte-order mark): an array of arrays of texts.
QJsonArray ReadCsvWithPython(const QString& path);

// The text of a PDF's pages, `first` to `last` (all when 0), pages parted by
// form feeds.
QString PdfText(const QString& path, int first = 0, int last = 0);

// A line of pdfinfo's report ("Pages", "Page size", "Title"), without its
// label.
QString PdfInfo(const QString& path, const QString& field);

// The entry names of a ZIP archive as Python's zipfile reads them, in the
// archive's order, after zipfile has checked every entry's data.
QStringList ZipNamesWithPython(const QString& path);
