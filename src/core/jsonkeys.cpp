#include "core/jsonkeys.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

#include <vector>

namespace {

// A key written with escapes ("na\u006de"), as the reader takes it.
QByteArray decodedKey(QByteArrayView raw)
{
    const QByteArray array = "[\"" + raw.toByteArray() + "\"]";
    return QJsonDocument::fromJson(array).array().at(0).toString().toUtf8();
}

} // namespace

std::optional<QString> duplicateJsonKey(QByteArrayView json)
{
    struct Level {
        bool object;
        bool expectsKey;
        QSet<QByteArray> keys;
    };
    std::vector<Level> levels;
    for (qsizetype i = 0; i < json.size(); ++i) {
        switch (json[i]) {
        case '{':
            levels.push_back({ true, true, {} });
            break;
        case '[':
            levels.push_back({ false, false, {} });
            break;
        case '}':
        case ']':
            if (!levels.empty())
                levels.pop_back();
            break;
        case ',':
            if (!levels.empty() && levels.back().object)
                levels.back().expectsKey = true;
            break;
        case '"': {
            const qsizetype start = i + 1;
            bool escaped = false;
            for (++i; i < json.size() && json[i] != '"'; ++i) {
                if (json[i] == '\\') {
                    escaped = true;
                    ++i;
                }
            }
            if (levels.empty() || !levels.back().object || !levels.back().expectsKey)
                break;
            const QByteArrayView raw = json.sliced(start, std::min(i, json.size()) - start);
            const QByteArray key = escaped ? decodedKey(raw) : raw.toByteArray();
            Level& level = levels.back();
            if (level.keys.contains(key))
                return QString::fromUtf8(key);
            level.keys.insert(key);
            level.expectsKey = false;
            break;
        }
        default:
            break;
        }
    }
    return std::nullopt;
}
