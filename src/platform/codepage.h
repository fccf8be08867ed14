#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The device's single-byte code page, Windows-1252: what its files and ZIP
// entries hold where they do not hold UTF-16.
QString DecodeDeviceCodePage(const QByteArray& bytes);
// Nothing when a character has no byte in the code page.
std::optional<QByteArray> EncodeDeviceCodePage(const QString& text);
