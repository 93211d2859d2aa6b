#pragma once
// Text to bytes through any registered data type, with the conversion
// message the user sees when the text does not fit the type.
#include <QByteArray>
#include <QString>
#include <QStringView>

class ValueTypeRegistry;

QString ConversionFailedText(QStringView text, const QString& typeName);

// Parses text as the type at typeIndex into out (the type's size in bytes).
// On failure the conversion message is shown unless silent, and out is left
// empty. An index outside the registry fails silently: the caller's mistake.
bool ParseRegistryValue(const ValueTypeRegistry& types, int typeIndex, QStringView text, bool bigEndian,
                        QByteArray& out, int* radixOut = nullptr, bool silent = false);
