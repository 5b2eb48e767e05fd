# sources of src/retrieval
