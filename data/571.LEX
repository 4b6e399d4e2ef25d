QUILLMASTER WORD LIST 1
# Main dictionary: Spanish
HUNSPELL es_ES
