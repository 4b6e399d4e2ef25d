QUILLMASTER WORD LIST 1
# Main dictionary: Danish
HUNSPELL da_DK
