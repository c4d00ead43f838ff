// Reading and writing a whole structure file (.vlm) into a problem: the file layer under the
// document and the command-line tool.
#pragma once

#include <string>
#include <vector>

namespace velmor {

class VelmorProblem;

enum class FileForm { Text, Binary, Detect };

enum class LoadStatus {
    Ok,
    CannotOpen,   // the file cannot be read at all
    WrongFormat,  // not a structure file of this program ("Mauvais format ...")
    Damaged,      // a structure file, but truncated or malformed
};

struct LoadResult
{
    LoadStatus status = LoadStatus::Ok;
    std::string message;  // what to tell the user when status is not Ok
    bool text = true;     // the form the file was in
    // With status Ok: what the file held that could not be taken (see
    // VelmorProblem::LoadReport); the model loaded is then not the file's whole content.
    std::vector<std::string> report;
};

// The one message that tells the user what a file lost on loading, or "" when it lost nothing.
std::string LoadReportMessage(const std::vector<std::string>& report);

// Whether the bytes start like the text form.
bool LooksLikeText(const std::string& bytes);

// Reads the file into the problem (emptied first). An empty file gives an empty model. On any
// failure the problem is left empty.
LoadResult LoadProblemFile(VelmorProblem& problem, const std::string& path, FileForm form);
LoadResult LoadProblemBytes(VelmorProblem& problem, const std::string& bytes, FileForm form);

// The file's bytes in the chosen form (the lists are renumbered first).
std::string StoreProblem(VelmorProblem& problem, bool text);
// Message of a binary save refused because a list holds more elements than the form numbers.
inline constexpr const char* kBinaryTooLarge =
    "Le format binaire ne peut pas numéroter plus de 65535 éléments d'une même liste.\n"
    "Enregistrez cette structure au format texte.";

// Writes the file without ever damaging the one already there; false with a reason on failure
// (a binary form that cannot hold the model among them).
bool SaveProblemFile(VelmorProblem& problem, const std::string& path, bool text, std::string& error);

} // namespace velmor
