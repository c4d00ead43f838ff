#include "DocumentFile.h"

#include "VelmorProblem.h"
#include "platform/core/Archive.h"
#include "platform/core/FileIO.h"

namespace velmor {

bool LooksLikeText(const std::string& bytes)
{
    return bytes.rfind("Type of problem", 0) == 0;
}

LoadResult LoadProblemBytes(VelmorProblem& problem, const std::string& bytes, FileForm form)
{
    LoadResult result;
    problem.DeleteAll();
    result.text = form == FileForm::Detect ? LooksLikeText(bytes) : form == FileForm::Text;
    if (bytes.empty())
        return result;
    Archive ar = Archive::ForLoading(bytes, result.text);
    try {
        problem.Serialize(ar);
        result.report = problem.LoadReport();
    } catch (const WrongFormatError& e) {
        result.status = LoadStatus::WrongFormat;
        result.message = e.what();
    } catch (const ArchiveException& e) {
        result.status = LoadStatus::Damaged;
        result.message = std::string("Le fichier est endommagé (") + e.what() + ").";
    } catch (const std::bad_alloc&) {
        problem.DeleteAll();
        result.status = LoadStatus::Damaged;
        result.message = "Le fichier est trop grand pour la mémoire disponible.";
    }
    return result;
}

std::string LoadReportMessage(const std::vector<std::string>& report)
{
    if (report.empty())
        return {};
    std::string text = "Le fichier n'a pas pu être lu en entier; ceci a été ignoré:";
    for (const std::string& line : report)
        text += "\n" + line;
    return text;
}

LoadResult LoadProblemFile(VelmorProblem& problem, const std::string& path, FileForm form)
{
    std::string bytes, error;
    if (!ReadWholeFile(path, bytes, error)) {
        problem.DeleteAll();
        LoadResult result;
        result.status = LoadStatus::CannotOpen;
        result.message = "L'ouverture du document a échoué. " + error;
        return result;
    }
    return LoadProblemBytes(problem, bytes, form);
}

std::string StoreProblem(VelmorProblem& problem, bool text)
{
    Archive ar = Archive::ForStoring(text);
    problem.Serialize(ar);
    return ar.Bytes();
}

bool SaveProblemFile(VelmorProblem& problem, const std::string& path, bool text, std::string& error)
{
    if (!text && !problem.FitsBinaryForm()) {
        error = kBinaryTooLarge;
        return false;
    }
    return WriteFileAtomically(path, StoreProblem(problem, text), error);
}

} // namespace velmor
