QUILLMASTER WORD LIST 1
# Main dictionary: British English
HUNSPELL en_GB
# Abbreviations that do not end a sentence
Mr.
Mrs.
Ms.
Dr.
St.
Jr.
Sr.
Lt.
Sgt.
Capt.
Prof.
vs.
