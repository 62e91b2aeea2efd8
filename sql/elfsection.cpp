#include "sql/elfsection.h"

#include <elf.h>

#include <QFile>
#include <cstring>
#include <optional>

namespace {
struct SectionHeader {
  quint32 nameOffset = 0;
  quint64 offset = 0;
  quint64 size = 0;
};

struct ElfLayout {
  quint64 sectionTableOffset = 0;
  quint16 sectionHeaderSize = 0;
  quint16 sectionCount = 0;
  quint16 namesIndex = 0;
  bool is64 = false;
};

QByteArray ReadRange(QFile& file, quint64 offset, quint64 size) {
  if (offset > quint64(file.size()) || size > quint64(file.size()) - offset) return {};
  if (!file.seek(qint64(offset))) return {};
  QByteArray bytes = file.read(qint64(size));
  return quint64(bytes.size()) == size ? bytes : QByteArray();
}

template <typename Header>
Header Decode(const QByteArray& bytes) {
  Header header;
  std::memcpy(&header, bytes.constData(), sizeof header);
  return header;
}

std::optional<ElfLayout> ReadLayout(QFile& file) {
  const QByteArray ident = ReadRange(file, 0, EI_NIDENT);
  if (ident.size() != EI_NIDENT || std::memcmp(ident.constData(), ELFMAG, SELFMAG) != 0 ||
      ident[EI_DATA] != ELFDATA2LSB)
    return std::nullopt;
  ElfLayout layout;
  layout.is64 = ident[EI_CLASS] == ELFCLASS64;
  if (!layout.is64 && ident[EI_CLASS] != ELFCLASS32) return std::nullopt;
  if (layout.is64) {
    const QByteArray bytes = ReadRange(file, 0, sizeof(Elf64_Ehdr));
    if (bytes.isEmpty()) return std::nullopt;
    const auto header = Decode<Elf64_Ehdr>(bytes);
    layout = {header.e_shoff, header.e_shentsize, header.e_shnum, header.e_shstrndx, true};
    if (layout.sectionHeaderSize < sizeof(Elf64_Shdr)) return std::nullopt;
  } else {
    const QByteArray bytes = ReadRange(file, 0, sizeof(Elf32_Ehdr));
    if (bytes.isEmpty()) return std::nullopt;
    const auto header = Decode<Elf32_Ehdr>(bytes);
    layout = {header.e_shoff, header.e_shentsize, header.e_shnum, header.e_shstrndx, false};
    if (layout.sectionHeaderSize < sizeof(Elf32_Shdr)) return std::nullopt;
  }
  if (layout.namesIndex >= layout.sectionCount) return std::nullopt;
  return layout;
}

std::optional<SectionHeader> ReadSectionHeader(QFile& file, const ElfLayout& layout, int index) {
  const quint64 offset = layout.sectionTableOffset + quint64(index) * layout.sectionHeaderSize;
  if (layout.is64) {
    const QByteArray bytes = ReadRange(file, offset, sizeof(Elf64_Shdr));
    if (bytes.isEmpty()) return std::nullopt;
    const auto header = Decode<Elf64_Shdr>(bytes);
    if (header.sh_type == SHT_NOBITS) return SectionHeader{header.sh_name, 0, 0};
    return SectionHeader{header.sh_name, header.sh_offset, header.sh_size};
  }
  const QByteArray bytes = ReadRange(file, offset, sizeof(Elf32_Shdr));
  if (bytes.isEmpty()) return std::nullopt;
  const auto header = Decode<Elf32_Shdr>(bytes);
  if (header.sh_type == SHT_NOBITS) return SectionHeader{header.sh_name, 0, 0};
  return SectionHeader{header.sh_name, header.sh_offset, header.sh_size};
}

QByteArray NameAt(const QByteArray& names, quint32 offset) {
  if (offset >= quint32(names.size())) return {};
  const int end = names.indexOf('\0', qsizetype(offset));
  return end < 0 ? QByteArray() : names.mid(offset, end - qsizetype(offset));
}
}  // namespace

QByteArray ReadElfSection(const QString& FileName, const QByteArray& SectionName) {
  QFile file(FileName);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const std::optional<ElfLayout> layout = ReadLayout(file);
  if (!layout) return {};
  const std::optional<SectionHeader> namesHeader =
      ReadSectionHeader(file, *layout, layout->namesIndex);
  if (!namesHeader) return {};
  const QByteArray names = ReadRange(file, namesHeader->offset, namesHeader->size);
  for (int index = 0; index < layout->sectionCount; ++index) {
    const std::optional<SectionHeader> header = ReadSectionHeader(file, *layout, index);
    if (!header) return {};
    if (NameAt(names, header->nameOffset) == SectionName)
      return ReadRange(file, header->offset, header->size);
  }
  return {};
}
