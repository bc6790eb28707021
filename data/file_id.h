#pragma once
// The nine record files of the program, in the order their managers are created, set up and
// torn down.

#include <array>

enum class FileId { Headers, MATS, MatLst, WrksInSmt, Raszenki, NSBRAZ, textrep, EdIzmer, GroupsWks };

inline constexpr std::array<FileId, 9> kFileOrder = {FileId::Headers,  FileId::MATS,    FileId::MatLst,
                                                     FileId::WrksInSmt, FileId::Raszenki, FileId::NSBRAZ,
                                                     FileId::textrep,  FileId::EdIzmer, FileId::GroupsWks};

inline constexpr std::size_t indexOf(FileId id) { return static_cast<std::size_t>(id); }
