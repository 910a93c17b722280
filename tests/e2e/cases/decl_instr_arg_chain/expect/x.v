// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, c);
   input m_clock;
   input p_reset;
   input a;
   input b;
   input c;
   wire f;
   wire x;
   wire y;
   wire z;

   assign f = 1'b1;

   assign x = a;

   assign y = b;

   assign z = c;
endmodule
