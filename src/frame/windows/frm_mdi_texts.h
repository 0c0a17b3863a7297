#pragma once
// The main window's own texts (FrmMDI): its toolbar, its File commands
// and its questions.
#include "core/text_ids.h"

namespace velm {

constexpr TextId TextFirstToolTip{LangToolTip, 1};     // of toolbar button 0; the others follow
constexpr TextId TextFirstToolHint{LangHelp, 22};      // the same on the status line
constexpr TextId TextOpenTitle{LangHelp, 22};          // "Open a data file"
constexpr TextId TextSaveAsTitle{LangHelp, 23};
constexpr TextId TextSaveDataTitle{LangFrmIniziale, 4};
constexpr TextId TextNotADataFile{LangMsgbox, 3};
constexpr TextId TextFileNotFound{LangMsgbox, 5};
constexpr TextId TextPrintSetupRan{LangMsgbox, 7};     // Printouts.bat ran: close now?
constexpr TextId TextNoDrawingExport{LangMsgbox, 8};
constexpr TextId TextCloseQuestion{LangMsgbox, 2};

}  // namespace velm
