#include "platform/error_text.h"

#include "platform/codepage.h"

#include <cerrno>
#include <cstdio>
#include <string>

const char* German_Error_Text(int error_number)
{
    switch (error_number) {
    case ENOSPC: return "kein Speicherplatz mehr auf dem Datentr\xE4ger";
#ifdef EDQUOT
    case EDQUOT: return "Speicherkontingent ersch\xF6pft";
#endif
    case EACCES:
    case EPERM: return "keine Berechtigung";
    case ENOENT: return "Datei oder Ordner nicht vorhanden";
    case ENOTDIR: return "ein Teil des Pfades ist kein Ordner";
    case EISDIR: return "der Name bezeichnet einen Ordner";
    case EROFS: return "das Dateisystem ist schreibgesch\xFCtzt";
    case EIO: return "Ein-/Ausgabefehler";
    case ENAMETOOLONG: return "der Name ist zu lang";
    case EMFILE:
    case ENFILE: return "zu viele offene Dateien";
    case ENOMEM: return "nicht gen\xFCgend Arbeitsspeicher";
    case EFBIG: return "die Datei wird zu gro\xDF";
    case ENODEV: return "der Name bezeichnet keine gew\xF6hnliche Datei";
    case ENXIO: return "die Pipe oder das Ger\xE4t nimmt nichts an";
    case EOVERFLOW: return "die Datei ist besch\xE4" "digt (eine Zeile oder die Datei selbst ist viel zu lang)";
    case EINVAL: return "ung\xFCltiger Dateiname";
    case ELOOP: return "zu viele Verweise in Folge (ein Verweis zeigt im Kreis)";
    case EBUSY: return "die Datei ist in Benutzung (eingeh\xE4ngt oder gesperrt)";
    case EEXIST: return "der Name ist schon vergeben";
    case EXDEV: return "die Datei liegt auf einem anderen Datentr\xE4ger";
    default: break;
    }
    static char buffer[40];
    std::snprintf(buffer, sizeof buffer, "Systemfehler %d", error_number);
    return buffer;
}

std::string File_Failure_Message(const char* headline, const std::string& path, int error_number)
{
    std::string text = headline ? headline : "";
    if (!path.empty()) text += "\n" + path;
    if (error_number != 0) text += std::string("\nGrund: ") + German_Error_Text(error_number);
    return text;
}

void Tell_File_Problem(const char* subject, const char* path, const char* problem, const char* reason)
{
    std::string line = Cp1252_To_Utf8(subject ? subject : "");
    line += ' ';
    line += path ? path : "";
    line += ' ';
    line += Cp1252_To_Utf8(problem ? problem : "");
    if (reason && *reason) line += ": " + Cp1252_To_Utf8(reason);
    line += ".\n";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
}

void Tell_File_Error(const char* subject, const char* path, const char* problem, int error_number)
{
    Tell_File_Problem(subject, path, problem, error_number != 0 ? German_Error_Text(error_number) : nullptr);
}
