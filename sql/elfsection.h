#pragma once

#include <QByteArray>
#include <QString>

// The contents of the section SectionName of the ELF file FileName (32 or 64 bit, little
// endian); empty when the file cannot be read, is no such ELF file or lacks the section.
// Every offset is checked against the file, so a damaged file cannot read out of bounds.
QByteArray ReadElfSection(const QString& FileName, const QByteArray& SectionName);
