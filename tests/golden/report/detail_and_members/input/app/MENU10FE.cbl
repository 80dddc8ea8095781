front end
