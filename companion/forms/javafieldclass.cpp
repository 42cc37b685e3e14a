#include "companion/forms/javafieldclass.h"

#include "companion/forms/cfield.h"

#include <QDir>
#include <QSaveFile>
#include <QSet>
#include <QTextStream>

namespace {

const QSet<QString>& javaKeywords()
{
    static const QSet<QString> words{
        "_", "abstract", "assert", "boolean", "break", "byte", "case", "catch", "char", "class", "const",
        "continue", "default", "do", "double", "else", "enum", "extends", "false", "final", "finally", "float",
        "for", "goto", "if", "implements", "import", "instanceof", "int", "interface", "long", "native", "new",
        "null", "package", "private", "protected", "public", "return", "short", "static", "strictfp", "super",
        "switch", "synchronized", "this", "throw", "throws", "transient", "true", "try", "void", "volatile",
        "while", "var", "yield", "record", "sealed", "permits", "non-sealed"};
    return words;
}

} // namespace

QString javafieldclass::identifier(const QString& text)
{
    QString id;
    id.reserve(text.size() + 1);
    for (const QChar c : text) {
        const bool plain = c.unicode() < 128 && (c.isLetterOrNumber() || c == QLatin1Char('_'));
        id += plain ? c : QLatin1Char('_');
    }
    if (id.isEmpty() || id.at(0).isDigit())
        id.prepend(QLatin1Char('_'));
    if (javaKeywords().contains(id))
        id += QLatin1Char('_');
    return id;
}

int javafieldclass::write(const QString& folder, const QString& typeName, const std::vector<CField*>& fields)
{
    const QString className = identifier(typeName);
    QSaveFile file(QDir(folder).filePath(className + QStringLiteral(".java")));
    if (!file.open(QIODevice::WriteOnly))
        return -1;
    QTextStream out(&file);
    out.setCodec("UTF-8");
    out << "package vodarevivo.makereport;\n\n";
    out << "// Field ids of the data type " << typeName << ", as the return file keys them.\n";
    out << "public final class " << className << "\n{\n";
    QSet<QString> written;
    for (const CField* field : fields) {
        const QString name = identifier(field->name());
        if (written.contains(name))
            continue;
        written.insert(name);
        out << "static final int " << name << " = " << field->id() << ";\n";
    }
    out << "\nprivate " << className << "()\n{\n}\n}\n";
    out.flush();
    return out.status() == QTextStream::Ok && file.commit() ? 0 : -1;
}
