// Choosing a driver description file with the platform's open-file dialog.
#include "ui.h"

#include "hostconfig.h"

#include <cderr.h>
#include <commdlg.h>
#include <cstddef>
#include <cstring>

namespace {

const char driverExtension[] = "ini";

} // namespace

// OPENFILENAME_SIZE_VERSION_400A, the structure without its Windows 2000
// fields, is this sum; the macro itself is no constant expression. On 32-bit
// Windows it is the long-standing 76 bytes.
static_assert(sizeof(void*) != 4
        || offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(OPENFILENAMEA::lpTemplateName) == 76,
    "OPENFILENAMEA without its later fields is 76 bytes in a 32-bit program");

int BuildFileFilter(const char* extension, char* buffer)
{
    buffer[0] = '\0';
    buffer[1] = '\0';
    // extension " (*." extension ")|*." extension "|" and the final terminator.
    if (3 * std::strlen(extension) + 10 > static_cast<size_t>(filterBufferSize))
        return 0;
    lstrcpyA(buffer, extension);
    lstrcatA(buffer, " (*.");
    lstrcatA(buffer, extension);
    lstrcatA(buffer, ")|*.");
    lstrcatA(buffer, extension);
    lstrcatA(buffer, "|");
    for (char* character = buffer; *character; ++character) {
        if (*character == '|')
            *character = '\0';
    }
    return 1;
}

int BrowseForDriverFile(HWND owner, char* result)
{
    result[0] = '\0';
    char filter[filterBufferSize];
    BuildFileFilter(driverExtension, filter);

    OPENFILENAMEA chooser = {};
    // Without the later fields, as the chooser has accepted since Windows 95;
    // the constant is that size for whichever target this is built.
    chooser.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    chooser.hwndOwner = owner;
    chooser.lpstrFilter = filter;
    chooser.nMaxCustFilter = 40;
    chooser.lpstrFile = result;
    chooser.nMaxFile = pathBufferSize;
    chooser.lpstrInitialDir = programDir;
    chooser.lpstrTitle = "Choose a file";
    chooser.Flags = 0;
    if (GetOpenFileNameA(&chooser))
        return 1;

    // On failure the buffer may hold what the chooser left there (for a path
    // that did not fit, its required size): never a path to register.
    result[0] = '\0';
    if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL) {
        MessageBoxA(owner,
            "The chosen path is too long.\n"
            "A path may have at most 259 characters; move the driver file to a shorter path "
            "and choose it again.",
            "Failure", MB_OK);
    }
    return 0;
}
