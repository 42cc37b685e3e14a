#include "companion/forms/cwsbasedata.h"

#include "companion/forms/mydatastream.h"

namespace {

const char* javaType(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Int:
    case FieldKind::Bool:
        return "int";
    case FieldKind::Float:
        return "double";
    case FieldKind::String:
    case FieldKind::Date:
        return "String";
    }
    return "String";
}

// Text put into Java source as a string literal.
QString javaQuoted(const QString& text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        if (c == QLatin1Char('\n')) {
            out += QStringLiteral("\\n");
            continue;
        }
        out += c;
    }
    return out + QLatin1Char('"');
}

}  // namespace

int CWSBaseData::Serialize(MyDataStream& ar, unsigned fileVersion)
{
    return ar.IsStoring() ? storeFields(ar) : loadFields(ar, fileVersion);
}

bool CWSBaseData::ChangeToNewYearData()
{
    for (CField* f : m_listFields)
        if (!f->hasFlag(FieldCarryForward))
            f->reset();
    return true;
}

void CWSBaseData::writeToString(CString& out) const
{
    for (const CField* f : m_listFields) {
        const QString name = f->name();
        if (name.isEmpty())
            continue;
        QString value = f->text();
        value.replace(QLatin1Char('\n'), QLatin1Char(' '));
        out += name + QLatin1Char('=') + value + QLatin1Char('\n');
    }
}

void CWSBaseData::readFromStringMap(const QMap<QString, QString>& values)
{
    for (CField* f : m_listFields) {
        const auto it = values.constFind(f->name());
        if (it != values.constEnd())
            f->setText(it.value());
    }
}

void CWSBaseData::WriteJavaFileDeclaration(CString& out) const
{
    for (const CField* f : m_listFields)
        out += QStringLiteral("%1 %2;\n").arg(QLatin1String(javaType(f->kind())), f->name());
}

void CWSBaseData::WriteJavaFileContruction(CString& out) const
{
    for (const CField* f : m_listFields) {
        const bool text = f->kind() == FieldKind::String || f->kind() == FieldKind::Date;
        out += QStringLiteral("%1 = %2;\n").arg(f->name(), text ? javaQuoted(f->text()) : f->text());
    }
}
