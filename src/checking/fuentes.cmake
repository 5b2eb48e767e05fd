# sources of src/checking
