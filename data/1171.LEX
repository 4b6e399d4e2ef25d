QUILLMASTER WORD LIST 1
# Main dictionary: Finnish
HUNSPELL fi_FI
