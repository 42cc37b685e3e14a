#include "companion/forms/cfield.h"

#include "companion/forms/fieldowner.h"

CField::CField(FieldKind kind, int attribute) : m_kind(kind), m_attribute(attribute) {}

CField::CField(FieldKind kind, CFieldOwner* owner, int id, const char* name, const char* line,
               const char* label, const FieldOpts& opts)
    : m_kind(kind),
      m_id(id),
      m_flags(opts.m_flags),
      m_name(name ? name : ""),
      m_line(line ? line : ""),
      m_label(label ? label : ""),
      m_section(opts.m_section ? opts.m_section : ""),
      m_page(opts.m_page ? opts.m_page : "")
{
    if (owner)
        owner->registerField(this);
}

QString CField::name() const
{
    return m_hasOwnName ? m_ownName : QString::fromUtf8(m_name);
}

void CField::setName(const QString& name)
{
    m_ownName = name;
    m_hasOwnName = true;
}
