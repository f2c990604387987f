#include "core/app/filefilter.h"

namespace qm {

std::string BuildFileFilter(bool combined) {
    if (combined)
        return "Varnholt Files|*.sqs;*.ext;*.html;*.sqf;*.csv;*.txt|"
               "All Files (*.*)|*.*||";
    return "Script Files (*.sqs)|*.sqs|"
           "Description Files (*.ext)|*.ext|"
           "Briefing/Overview Files (*.html)|*.html|"
           "Function Files (*.sqf)|*.sqf|"
           "String Table Files (*.csv)|*.csv|"
           "Text Files (*.txt)|*.txt|"
           "All Files (*.*)|*.*||";
}

}  // namespace qm
