QUILLMASTER WORD LIST 1
# Main dictionary: Swedish
HUNSPELL sv_SE
