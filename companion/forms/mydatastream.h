#pragma once

#include <QDataStream>

// The stream a return file is written and read through. It fixes the byte
// order and the serialisation version itself, so that a file written on one
// machine or Qt release reads the same everywhere, and it knows its
// direction from the device's open mode.
class MyDataStream : public QDataStream
{
public:
    explicit MyDataStream(QIODevice* device);
    // In-memory stream: writing when mode has WriteOnly, else reading.
    MyDataStream(QByteArray* bytes, QIODevice::OpenMode mode);

    bool IsStoring() const { return m_storing; }
    bool IsLoading() const { return !m_storing; }

    static constexpr QDataStream::Version kVersion = QDataStream::Qt_5_0;
    static constexpr QDataStream::ByteOrder kByteOrder = QDataStream::LittleEndian;

private:
    void fixFormat();
    bool m_storing;
};
