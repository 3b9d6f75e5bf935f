#include "core/Prompts.h"

namespace calctutor {

std::string firstFolderPrompt(std::string_view defaultFolder)
{
    return "Enter 1 if you want to change the folder to which your files will be written.  "
           "The current default folder is "
        + std::string(defaultFolder) + ".  If you wish to use this folder, just hit the Enter key";
}

std::string secondFolderPrompt(std::string_view defaultFolder)
{
    return "You have chosen to change the folder to which your files will be written on your hard drive "
           "from the default "
        + std::string(defaultFolder)
        + ".  Enter the path to the folder you wish to use.  You may just hit the Enter key to retain "
          "the default path.";
}

std::string responsePromptText()
{
    return std::string(kResponseInvitation1) + "\r\n\r\n" + std::string(kResponseInvitation2);
}

} // namespace calctutor
