QUILLMASTER WORD LIST 1
# Main dictionary: Portuguese
HUNSPELL pt_PT
