// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, x, y, z);
   input m_clock;
   input p_reset;
   input a;
   input b;
   output x;
   output y;
   output z;

   assign x = ((((1'b1)))?a:1'b0);

   assign y = a;

   assign z = (((b))?a:1'b0);
endmodule
