#pragma once

class QWebEnginePage;
class QWidget;

// Asks the user where and in which form to save `page` (the complete page, one web
// archive file, or the HTML only) and saves it there. Cancelling saves nothing. The
// engine reports even a failed save as finished, so the written file is checked, and a
// page that was not written is reported to the user.
void savePageAs(QWebEnginePage *page, QWidget *dialogParent);
