#include "ui/menus/statusprompts.h"

#include <QApplication>
#include <QMenu>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <map>

#include "ui/frames/commandids.h"

namespace qm {

QString CommandPrompt(int commandId) {
    static const std::map<int, const char*> prompts = {
        {ID_FILE_NEW, "Create a new document"},
        {ID_FILE_OPEN, "Open an existing document"},
        {ID_FILE_CLOSE, "Close the active document"},
        {ID_FILE_SAVE, "Save the active document"},
        {ID_FILE_SAVE_AS, "Save the active document with a new name"},
        {ID_SAVE_ALL, "Save all modified documents"},
        {ID_SAVE_AS_SNIPPET, "Save the active document as a snippet"},
        {ID_FILE_PRINT, "Print the active document"},
        {ID_FILE_PRINT_PREVIEW, "Display full pages"},
        {ID_FILE_PRINT_SETUP, "Change the printer and printing options"},
        {ID_RUN_GAME, "Run Varnholt NOW !"},
        {ID_OPEN_MISSIONS, "Open the current players mission folder"},
        {ID_SAVE_IN_MISSIONS, "Open the current players mission folder for saving"},
        {ID_APP_EXIT, "Quit the application; prompts to save documents"},
        {ID_NEW_FILE, "Create a new script file"},
        {ID_NEW_SCRIPT, "Create a new script file (.sqs)"},
        {ID_NEW_DESCRIPTION, "Create a new description file (.ext)"},
        {ID_NEW_BRIEFING, "Create a new briefing file (.html)"},
        {ID_NEW_FUNCTION, "Create a new function file (.sqf)"},
        {ID_NEW_STRINGTABLE, "Create a new string table file (.csv)"},
        {ID_NEW_TEXT, "Create a new text file (.txt)"},
        {ID_WIZARD_BRIEFING, "Build a briefing page with the Briefing Wizard"},
        {ID_WIZARD_OVERVIEW, "Build an overview page with the Overview Wizard"},
        {ID_WIZARD_DESCRIPTION, "Build a description file with the Description Wizard"},
        {ID_WIZARD_UNIT, "Build a custom unit loadout script"},
        {ID_WIZARD_CRATE, "Build an ammunition crate script"},
        {ID_EDIT_UNDO, "Undo the last action"},
        {ID_EDIT_REDO, "Redo the previously undone action"},
        {ID_EDIT_CUT, "Cut the selection and put it on the Clipboard"},
        {ID_EDIT_COPY, "Copy the selection and put it on the Clipboard"},
        {ID_EDIT_PASTE, "Insert Clipboard contents"},
        {ID_EDIT_CLEAR, "Erase the selection"},
        {ID_EDIT_SELECT_ALL, "Select the entire document"},
        {ID_EDIT_FIND, "Find the specified text"},
        {ID_EDIT_REPLACE, "Replace specific text with different text"},
        {ID_EDIT_REPEAT, "Repeat the last find"},
        {ID_EDIT_FIND_PREVIOUS, "Find the previous occurrence of the last find"},
        {ID_EDIT_GOTO_LINE, "Move the caret to the start of a line by its number"},
        {ID_EDIT_TOGGLE_REMARK, "Turn the selected lines into remarks, or remarks back into lines"},
        {ID_INSERT_ITEM, "Insert the current item into the active document"},
        {ID_INSERT_SNIPPET, "Insert a saved snippet into the active document"},
        {ID_COPY_AS_SNIPPET, "Save the selection as a snippet"},
        {ID_EDIT_BRIEFING, "Open the current briefing in the Briefing Wizard for editing"},
        {ID_VIEW_TOOLBAR, "Show or hide the main toolbar"},
        {ID_VIEW_COMMANDBAR, "Show or hide the command bar"},
        {ID_VIEW_LABELSBAR, "Show or hide the labels toolbar"},
        {ID_VIEW_STATUS_BAR, "Show or hide the status bar"},
        {ID_VIEW_PAGEPREVIEW, "Show or hide the rendered briefing or overview page"},
        {ID_VIEW_LINENUMBERS, "Show or hide the line numbers beside the text"},
        {ID_VIEW_AUTOCOMPLETE, "Open the completion list by itself after three letters of a name are typed"},
        {ID_EDIT_GOTO_LABEL, "Move the caret to the label the goto at the caret jumps to"},
        {ID_EDIT_COMPLETE_WORD, "List the commands, names or labels that complete the text at the caret"},
        {ID_EDIT_SYNTAX_TIP, "Show the syntax of the command at the caret"},
        {ID_VIEW_ZOOM_IN, "Make the text of the documents larger for now"},
        {ID_VIEW_ZOOM_OUT, "Make the text of the documents smaller for now"},
        {ID_VIEW_ZOOM_RESET, "Show the text of the documents at the font size of the options"},
        {ID_COMREF, "Open the Command Reference Manual"},
        {ID_LINK_HOME, "Open the Varnholt home page"},
        {ID_LINK_EDITING, "Open the Varnholt editing center"},
        {ID_LINK_UPDATES, "Open the Quillmark updates and error reporting page"},
        {ID_EDIT_COMMANDS_DATA, "Edit the scripting commands data file"},
        {ID_EDIT_WEAPONS_DATA, "Edit the weapons, magazines and equipment data file"},
        {ID_EDIT_UNIT_DATA, "Edit the unit wizard data file"},
        {ID_EDIT_SYNTAX_DATA, "Edit the command syntax data file"},
        {ID_EDIT_HEADER_DATA, "Edit the automatic header data file"},
        {ID_BACKUP_DATA, "Backup custom data files to a directory that will not be removed or uninstalled"},
        {ID_RESTORE_DATA, "Restore the data files from the backup directory"},
        {ID_UPDATE_APP_DATA, "Reload the data files after editing them"},
        {ID_OPTIONS, "Change the program's options"},
        {ID_ADD_PROJECT_FILE, "Add a file to the project files"},
        {ID_ADD_ACTIVE_PROJECT_FILE, "Add the active document to the project files"},
        {ID_REMOVE_PROJECT_FILE, "Remove a file from the project files"},
        {ID_CLEAR_PROJECT_FILES, "Remove every file from the project files"},
        {ID_ADD_QUICK_SCRIPT, "Add a read-only copy of a file to the quick scripts"},
        {ID_ADD_ACTIVE_QUICK_SCRIPT, "Add the active document to the quick scripts"},
        {ID_DELETE_QUICK_SCRIPTS, "Remove quick scripts"},
        {ID_WINDOW_NEW, "Open another window for the active document"},
        {ID_WINDOW_CASCADE, "Arrange windows so they overlap"},
        {ID_WINDOW_TILE_HORZ, "Arrange windows as non-overlapping tiles, one above the other"},
        {ID_WINDOW_TILE_VERT, "Arrange windows as non-overlapping tiles, side by side"},
        {ID_WINDOW_ARRANGE, "Arrange icons at the bottom of the window"},
        {ID_NEXT_DOC, "Make the next document active"},
        {ID_PREV_DOC, "Make the previous document active"},
        {ID_HELP_INDEX, "Open the help contents"},
        {ID_APP_ABOUT, "Display program information, version number and copyright"},
    };
    const auto it = prompts.find(commandId);
    return it == prompts.end() ? QString() : QString::fromLatin1(it->second);
}

StatusPromptWatcher::StatusPromptWatcher(QStatusBar* bar) : QObject(bar), m_bar(bar) {
    qApp->installEventFilter(this);
}

StatusPromptWatcher::~StatusPromptWatcher() { qApp->removeEventFilter(this); }

void StatusPromptWatcher::Show(const QString& tip) {
    m_bar->showMessage(tip.isEmpty() ? QString::fromLatin1(kReadyPrompt) : tip);
}

bool StatusPromptWatcher::eventFilter(QObject* watched, QEvent* event) {
    auto* menu = qobject_cast<QMenu*>(watched);
    if (!menu) return false;
    // A menu of the menu bar passes its tips on to the main window; a menu that popped up on its
    // own keeps them, so they are shown from here.
    if (event->type() == QEvent::StatusTip) {
        Show(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    if (event->type() == QEvent::Hide) {
        // After the hide: a submenu closing while its parent stays open keeps the parent's prompt.
        QTimer::singleShot(0, this, [this] {
            if (!QApplication::activePopupWidget()) Show(QString());
        });
    }
    return false;
}

}  // namespace qm
