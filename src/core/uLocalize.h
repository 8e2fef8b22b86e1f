#pragma once

class QDomDocument;
class QWidget;

// Copies the texts of the locale document into a window and its controls,
// found by object name:
//   <locale><forms>
//     <frmClenove Caption="Členové">
//       <cmdHledat Caption="Hledat" Hint="Vyhledá členy"/>
//       <lvSeznam><c value="Příjmení"/><c value="Jméno"/></lvSeznam>
//       <cmbStav><i value="vše"/><i value="aktivní"/></cmbStav>
//     </frmClenove>
//   </forms></locale>
// "Caption" is the window title or the control's text, "Hint" its tool tip;
// any other attribute names a Qt property. What cannot be set is skipped.
void ApplyLocaleDocument(const QDomDocument& locale, QWidget* window);
