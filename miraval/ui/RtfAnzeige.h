#pragma once
// Shows a help section read by TRtfReader in a QTextEdit: runs with their formats, "\r\n" as a
// paragraph break and a lone "\n" as a line break inside the paragraph.

class QTextEdit;
class TRtfDokument;

// Replaces the edit's text by the document and puts the cursor at its start.
void ZeigeRtfDokument(QTextEdit& edit, const TRtfDokument& dokument);
