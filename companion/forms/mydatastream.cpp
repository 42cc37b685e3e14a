#include "mydatastream.h"

#include <QIODevice>

MyDataStream::MyDataStream(QIODevice* device)
    : QDataStream(device),
      m_storing(device && (device->openMode() & QIODevice::WriteOnly) && !(device->openMode() & QIODevice::ReadOnly))
{
    fixFormat();
}

MyDataStream::MyDataStream(QByteArray* bytes, QIODevice::OpenMode mode)
    : QDataStream(bytes, mode), m_storing(mode & QIODevice::WriteOnly)
{
    fixFormat();
}

void MyDataStream::fixFormat()
{
    setVersion(kVersion);
    setByteOrder(kByteOrder);
    // Amounts are doubles on disk; keep the full precision whatever the version says.
    setFloatingPointPrecision(QDataStream::DoublePrecision);
}
