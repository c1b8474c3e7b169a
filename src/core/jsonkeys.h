#pragma once
// A key named twice in one object of a JSON text. The JSON reader keeps one
// of the two values without a word, so a file of ours that names a key twice
// is taken as damaged rather than read otherwise than it was written.
// For texts the JSON reader has accepted.

#include <QByteArrayView>
#include <QString>
#include <optional>

std::optional<QString> duplicateJsonKey(QByteArrayView json);
