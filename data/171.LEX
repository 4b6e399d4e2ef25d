QUILLMASTER WORD LIST 1
# Main dictionary: American English
HUNSPELL en_US
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
